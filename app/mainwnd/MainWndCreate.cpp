// CKestrelDlg: creation of the skinned controls of the control table, with
// their pictures, initial visibility and the switches that depend on the
// configuration and the plug-in.
#include "CKestrelDlg.h"

#include "MainControlTable.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"
#include "startup/CKestrelApp.h"

using namespace kestrel::mainwnd;

namespace {

constexpr int kButtonFrames = 4;

// Initial ranges of the sliders: play position (ms, until a recording is
// open), volume and the five speed steps.
struct SliderRange {
    int id, min, max, pos;
};
constexpr SliderRange kSliderRanges[] = {
    {kSldPlaybar, 0, 10, 0},
    {kSldVolume, 0, 100, 100},
    {kSldPbSpeed, 0, 4, 2},
};

}  // namespace

void CKestrelDlg::CreateControls()
{
    for (const ControlSpec& spec : MainControls())
        CreateControl(spec);
    if (!m_app)
        return;

    if (CCtrlWnd* setup = Control(kBtnSetup))
        setup->setVisible(!m_app->Option().strSetupName.isEmpty());
    if (CCtrlWnd* site = Control(kBtnSite))
        site->setEnabled(!m_app->Option().strURL.isEmpty());
    if (CCtrlWnd* lang = Control(kBtnLang))
        lang->setVisible(m_app->Languages().Count() >= 2);

    // Only the button of the current speed unit shows; a click switches.
    const bool miles = m_setup.m_nSpeedUnit != 0;
    ShowButton(kBtnGpsSpeedUnitKm, !miles);
    ShowButton(kBtnGpsSpeedUnitMile, miles);

    if (CCtrlSliderEx* volume = Slider(kSldVolume))
        volume->SetPos(m_setup.m_nVolume);
    if (CCtrlSliderEx* speed = Slider(kSldPbSpeed))
        speed->SetPos(m_setup.m_nPBSpeed);
}

void CKestrelDlg::CreateControl(const ControlSpec& spec)
{
    if (m_app) {
        const _PLUGIN_INFO& info = m_app->PluginInfo();
        if (spec.id == kBtnFtp && info.nMainOption1 == 0)
            return;
        if (spec.id == kBtnDivision && info.nMainOption2 <= 0)
            return;
    }
    const QString name = QString::fromLatin1(spec.name);
    auto image = [this](const QString& key) -> const QImage* {
        return m_res->GetUIImage(key);
    };

    CCtrlWnd* control = nullptr;
    switch (spec.kind) {
    case ControlKind::Button:
    case ControlKind::CheckButton:
    case ControlKind::TextButton: {
        const auto style = spec.kind == ControlKind::CheckButton ? CCtrlButton::StyleCheck : CCtrlButton::StylePush;
        auto* button = new CCtrlButton(this, spec.id, style);
        button->SetButtonImage(image(name), kButtonFrames);
        if (spec.background)
            button->SetButtonImageBg(image(QString::fromLatin1(spec.background)));
        if (spec.kind == ControlKind::TextButton)
            button->SetTextColor(QColor::fromRgba(Pos(name).color[0]), CCtrlButton::StateNormal);
        control = button;
        break;
    }
    case ControlKind::Static: {
        auto* stc = new CCtrlStatic(this, spec.id);
        if (spec.background)
            stc->SetBkImage(image(QString::fromLatin1(spec.background)));
        stc->SetTextAlign(spec.hAlign, spec.vAlign);
        control = stc;
        break;
    }
    case ControlKind::Slider: {
        auto* slider = new CCtrlSliderEx(this, spec.id);
        slider->SetImage(image(name + QStringLiteral("_left")), CCtrlSlider::ImgLeftBar);
        slider->SetImage(image(name + QStringLiteral("_right")), CCtrlSlider::ImgRightBar);
        slider->SetImage(image(name + QStringLiteral("_thumb")), CCtrlSlider::ImgThumb);
        const _WIN_POS& pos = Pos(name);
        slider->SetImageBG(image(name + QStringLiteral("_bk")), pos.dl, pos.dr, -1);
        for (const SliderRange& range : kSliderRanges)
            if (range.id == spec.id) {
                slider->SetRange(range.min, range.max);
                slider->SetPos(range.pos);
            }
        control = slider;
        break;
    }
    }
    control->setObjectName(name);
    control->setVisible(!spec.hidden);
    m_controls.insert(spec.id, control);
}

void CKestrelDlg::ShowButton(int id, bool shown)
{
    if (CCtrlWnd* control = Control(id))
        control->setVisible(shown);
}
