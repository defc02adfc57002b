#pragma once

#include <QList>
#include <QObject>

namespace quillmere {

// Ownership of the program's components, as the window translator walks it.
//
// Qt's parent/child tree is no use for that walk: it mixes the components
// the program defines with the toolkit's inner pieces (a spin box's line
// edit and arrows, a dialog's layout, a table's header and scroll bars),
// nests controls by where they sit on screen, and keeps no order the program
// chose. Here every window instead lists the components it defines, in the
// order of its definition; the window owns them all directly, also those
// placed on a panel or in a menu. Components own nothing of their own unless
// they say so by implementing this interface.
class ComponentOwner {
 public:
  virtual ~ComponentOwner() = default;

  // The components owned, in the order of their creation.
  virtual QObjectList Components() = 0;
};

// The application as the owner of the program's windows, in the order they
// were created. It is no window itself, so a walk from it translates no
// caption of its own.
class ApplicationComponents : public QObject, public ComponentOwner {
 public:
  explicit ApplicationComponents(QObjectList windows) : windows_(std::move(windows)) {}

  QObjectList Components() override { return windows_; }

 private:
  QObjectList windows_;
};

}  // namespace quillmere
