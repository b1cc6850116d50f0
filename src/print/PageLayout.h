#pragma once

#include "platform/TextMeasure.h"

#include <QString>
#include <array>

namespace print {

/// Font of one header or footer field.
struct HeaderFont {
    platform::FontSpec font;
    qint32 color = 0; // 0x00BBGGRR
    bool underline = false;
    bool operator==(const HeaderFont&) const = default;
};

/// The page layout dialog's controls, which are the storage of the page settings.
struct PageLayout {
    QString txtOfs1 = QStringLiteral("0"); // top margin, mm, 0..1000
    QString txtOfs2 = QStringLiteral("0"); // bottom
    QString txtOfs3 = QStringLiteral("0"); // left
    QString txtOfs4 = QStringLiteral("0"); // right
    QString txtTop = QStringLiteral("1"); // first page number, 0..10000
    bool chkGrid = false;                 // print the grid
    std::array<QString, 6> txtHdr;        // header/footer texts, txtHdr1..txtHdr6 at 0..5
    std::array<HeaderFont, 6> hdrFont;
    QString printAreaLabel;
};

} // namespace print
