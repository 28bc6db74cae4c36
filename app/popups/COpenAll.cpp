#include "popups/COpenAll.h"

#include "popups/CTranslatedMessageBox.h"
#include "services/CDriveWatcher.h"
#include "skin/CUIResources.h"

#include "controls/CtrlMessages.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QTimerEvent>

namespace {

const QString kTitleKey = QStringLiteral("popup_dlg_open");
constexpr int kMargin = 20;
constexpr int kLineHeight = 28;
constexpr int kOtherWidth = 160;
constexpr int kDefaultFontSize = 12;

QIcon DriveIcon()
{
    const QIcon fallback = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
    return QIcon::fromTheme(QStringLiteral("drive-removable-media"), fallback);
}

}  // namespace

COpenAll::COpenAll(const CUIResources& resources, kestrel::services::CDriveWatcher* watcher, QWidget* parent)
    : IPopupBase(kTemplateId, resources, parent),
      m_watcher(watcher),
      m_stcSection(this),
      m_stcMessage(this),
      m_driveBox(this),
      m_btnOther(this, kIdOther)
{
    ApplySkin();
    Rebuild(Scan());
    if (m_watcher)
        connect(m_watcher, &kestrel::services::CDriveWatcher::DrivesChanged, this, [this] { Refresh(); });
}

void COpenAll::ApplySkin()
{
    ApplyPopupSkin(kTitleKey);
    const CUIResources& res = Resources();
    for (auto [stc, key] : {std::pair{&m_stcSection, QStringLiteral("popup_dlg_open_section")},
                            std::pair{&m_stcMessage, QStringLiteral("popup_dlg_open_message")}}) {
        int size = res.GetUIFontSize(key);
        stc->SetInitFont(res.FontName(), size > 0 ? size : kDefaultFontSize);
        stc->SetBkImage(res.GetUIImage(QStringLiteral("popup_btn_bk")));
        stc->SetTextColor(Qt::white);
        stc->SetTextAlign(StringAlignmentNear, StringAlignmentCenter);
        stc->SetWindowText(res.GetUIText(key));
    }
    // The "other" button wears the OK button's face and font.
    const int okSize = res.GetUIFontSize(QStringLiteral("common_ok"));
    m_btnOther.SetButtonImage(res.GetUIImage(QStringLiteral("popup_btn")), 4);
    m_btnOther.SetInitFont(res.FontName(), okSize > 0 ? okSize : kDefaultFontSize);
    m_btnOther.SetTextColor(Qt::white, CCtrlButton::StateNormal);
    m_btnOther.SetWindowText(res.GetUIText(QStringLiteral("popup_dlg_open_btn_other")));
    QFont font = m_driveBox.font();
    font.setFamily(res.FontName());
    m_driveBox.setFont(font);
    m_driveBox.setIconSize(QSize(16, 16));
    PlaceControls();
}

void COpenAll::PlaceControls()
{
    const int w = width();
    const int top = TitleBarRect().bottom() + 1 + kMargin;
    m_stcSection.setGeometry(kMargin, top, w - 2 * kMargin, kLineHeight);
    m_driveBox.setGeometry(kMargin, top + kLineHeight + 4, w - 2 * kMargin, kLineHeight + 4);
    m_stcMessage.setGeometry(kMargin, top + 2 * kLineHeight + 20, w - 2 * kMargin, 2 * kLineHeight);
    // "Other" sits at the left end of the OK / Cancel row.
    m_btnOther.setGeometry(kButtonGap, height() - kButtonGap - kButtonHeight, kOtherWidth, kButtonHeight);
}

void COpenAll::resizeEvent(QResizeEvent* event)
{
    IPopupBase::resizeEvent(event);
    PlaceControls();
}

QList<kestrel::services::RemovableDrive> COpenAll::Scan() const
{
    return m_watcher ? m_watcher->Drives() : kestrel::services::ScanRemovableDrives(kestrel::services::SystemDriveSources());
}

void COpenAll::Rebuild(const QList<kestrel::services::RemovableDrive>& drives)
{
    m_drives = drives;
    m_driveBox.clear();
    const QIcon icon = DriveIcon();
    for (const auto& d : m_drives)
        m_driveBox.addItem(icon, d.name);
    m_driveBox.setCurrentIndex(m_drives.isEmpty() ? -1 : 0);
    OkButton().setEnabled(!m_drives.isEmpty());
}

bool COpenAll::Refresh()
{
    const QList<kestrel::services::RemovableDrive> fresh = Scan();
    if (fresh == m_drives)
        return false;
    Rebuild(fresh);
    return true;
}

void COpenAll::SelectPreferred()
{
    for (int i = 0; i < m_drives.size(); ++i)
        if (m_drives[i].root == m_preferred)
            m_driveBox.setCurrentIndex(i);
}

QString COpenAll::OfferedText() const
{
    QStringList lines{Resources().GetUIText(QStringLiteral("popup_dlg_open_message"))};
    for (int i = 0; i < m_drives.size(); ++i)
        lines.append(QStringLiteral("%1 %2 (%3)")
                         .arg(i == m_driveBox.currentIndex() ? QStringLiteral("*") : QStringLiteral("-"),
                              m_drives[i].name, m_drives[i].root));
    return lines.join(QLatin1Char('\n'));
}

int COpenAll::exec()
{
    SelectPreferred();
    int answer = IdOk;
    if (AnswerUnattended(OfferedText(), &answer)) {
        const int line = m_driveBox.currentIndex();
        if (qEnvironmentVariable("KESTREL_POPUP_ANSWER").trimmed().toLower() == QLatin1String("other")) {
            m_code = kOtherFolder;
            answer = IdOk;
        } else if (answer == IdOk && line >= 0 && line < m_drives.size()) {
            m_folder = m_drives[line].root;
            m_code = kDriveChosen;
        } else {
            answer = IdCancel;
        }
        setResult(answer);
        return answer;
    }
    return IPopupBase::exec();
}

void COpenAll::showEvent(QShowEvent* event)
{
    IPopupBase::showEvent(event);
    m_refresh.start(kRefreshMs, this);
}

void COpenAll::hideEvent(QHideEvent* event)
{
    m_refresh.stop();
    IPopupBase::hideEvent(event);
}

void COpenAll::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_refresh.timerId())
        Refresh();
    else
        IPopupBase::timerEvent(event);
}

void COpenAll::OnOK()
{
    const int line = m_driveBox.currentIndex();
    if (line < 0 || line >= m_drives.size()) {
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        CTranslatedMessageBox::Show(Resources(), this, Resources().GetUIText(QStringLiteral("popup_dlg_open_err0")),
                                    owner ? owner->windowTitle() : QString());
        return;
    }
    m_folder = m_drives[line].root;
    m_code = kDriveChosen;
    done(IdOk);
}

intptr_t COpenAll::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg == ctrlmsg::WM_COMMAND && static_cast<int>(wParam & 0xFFFF) == kIdOther) {
        m_code = kOtherFolder;
        done(IdOk);
        return 1;
    }
    return IPopupBase::SendMsg(msg, wParam, lParam);
}
