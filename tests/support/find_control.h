// A dialog's control by its object name, for the Qt tests; a missing one ends the test.
#pragma once

#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace test_support {

template <typename T = QWidget>
T& Control(QWidget& dialog, const char* name) {
  T* control = dialog.findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return *control;
}

}  // namespace test_support
