#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace money {

// Controls carry their component names as objectName ("Label1", "dxEdit2", "BitBtn1"): the windows'
// tests and the grants find them by it.

inline QLabel* NamedLabel(const char* name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromUtf8(name));
  return label;
}

// An editor; a max_length of 0 leaves the length open.
inline QLineEdit* NamedEditor(const char* name, QWidget* parent, int max_length = 0) {
  auto* editor = new QLineEdit(parent);
  editor->setObjectName(QString::fromUtf8(name));
  if (max_length > 0) editor->setMaxLength(max_length);
  return editor;
}

inline QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromUtf8(name));
  return button;
}

}  // namespace money
