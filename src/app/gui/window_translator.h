#pragma once

#include <QObject>
#include <QString>

namespace quillmere {

// A text passed through the lookup of the translation table (TranslateText):
// in the current language, learnt when the table lacks it.
QString TranslatedText(const QString& text);

// Passes every text of every component that `root` owns, directly or
// further down, through TranslatedText and writes the result back. Ownership
// is that of ComponentOwner; the walk is breadth first and visits the
// components of each owner from its last to its first, which is the order in
// which unknown texts are learnt. A root that is a window gets its caption
// translated first.
//
// What is translated depends on the first of these kinds a component
// belongs to, tested in this order:
//   1. label (one showing text, not a picture), check box, window: the
//      caption; a check box's tool tip before its caption;
//   2. push button, group box: the caption, then the tool tip;
//   3. menu item (an action or a menu): the caption, then the hint;
//   4. numeric field: the tool tip only, never the number;
//   5. grid: every cell of the heading row;
//   6. list view: every column title;
//   7. file dialog: the whole filter as one text;
//   8. memo: every line, each on its own;
//   9. single-line edit: its content.
// Other components keep their texts.
//
// Running it twice would take the translated texts for German ones and
// learn them, so the program runs it once, at its first display.
void TranslateComponents(QObject& root);

}  // namespace quillmere
