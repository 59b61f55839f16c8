#pragma once
// Small helpers shared by the windows: named child widgets and centring.

#include <QString>
#include <QWidget>

namespace kestrel::gui {

/// Creates a child widget with its component name as objectName (and the caption, if any).
template <typename W>
W* MakeChild(QWidget* parent, const char* name) {
  W* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}
template <typename W>
W* MakeChild(QWidget* parent, const char* name, const QString& text) {
  W* w = new W(text, parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

/// Centres window on owner (or on the screen when owner is null).
void CentreOn(QWidget* window, QWidget* owner);

}  // namespace kestrel::gui
