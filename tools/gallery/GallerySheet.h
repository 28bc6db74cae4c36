#pragma once
// Collects the rendered pictures: writes each as NAME.png into the output
// folder and composes one labelled contact sheet of all of them.
#include <QImage>
#include <QString>
#include <vector>

class GallerySheet {
public:
    explicit GallerySheet(QString outFolder) : m_out(std::move(outFolder)) {}

    // Starts a new row of the contact sheet with a heading.
    void Section(const QString& title);
    // Writes NAME.png and adds it to the sheet; false when it cannot be written.
    bool Add(const QString& name, const QImage& img);
    // Writes the contact sheet as "gallery.png".
    bool WriteSheet() const;
    int Written() const { return m_written; }
    int Failed() const { return m_failed; }

private:
    struct Entry { QString name; QImage img; };
    struct Row { QString title; std::vector<Entry> entries; };

    QString m_out;
    std::vector<Row> m_rows;
    int m_written = 0;
    int m_failed = 0;
};
