#pragma once

// The windows' texts come from the presenter's ShownTexts, which the
// Windows program builds its windows from too, so that both show and learn
// the same texts in the same order.

#include <QObject>

#include "app/presenter/shown_texts.h"

class QWidget;

namespace quillmere {

// Shows the texts of window `window` (WindowNumber) from `texts`: its
// caption, and the text of each of its `components`, listed in the order
// of the window's table (nullptr where a component has no object of its
// own here), by the component's kind: a button's, label's or check box's
// caption, a menu's title, a menu item's caption ("-" a separator line), a
// memo's lines, an edit field's content. A label that no layout places is
// made as large as its new text.
void ShowWindowTexts(QWidget& window_widget, int window, const QObjectList& components,
                     const ShownTexts& texts);

// Gives the window and each of its `components` (listed as for
// ShowWindowTexts) the object name of the window's table.
void NameComponents(QWidget& window_widget, int window, const QObjectList& components);

}  // namespace quillmere
