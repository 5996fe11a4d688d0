#pragma once

#include <QtGlobal>

#include <string_view>

// The number of user-perceived characters (grapheme clusters) of UTF-8 text,
// exactly as QTextBoundaryFinder counts the text MultiByteToWideChar makes of
// it (so an invalid sequence counts as the U+FFFD it becomes).
//
// Japanese headings are almost all kanji, kana and full-width forms, each a
// cluster of its own, now and then followed by a combining voiced mark or a
// variation selector. Those are read and counted here directly from the UTF-8;
// every stretch that holds anything else is converted and handed to
// QTextBoundaryFinder, cut only where a boundary is certain. A long heading
// then costs a few instructions a byte instead of a conversion and Qt's full
// segmentation.
qsizetype GraphemeCount(std::string_view text);
