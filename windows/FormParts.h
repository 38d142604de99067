#pragma once
// Pieces the program's small windows build their forms from.

#include <QBoxLayout>
#include <QPushButton>
#include <memory>

// Adds a push button named name to row (which then owns it) and answers it. Dialog buttons
// are made without auto-default, so that only the one chosen as default takes Enter.
inline QPushButton* AddButton(QBoxLayout& row, const char* name, const QString& text,
                              bool autoDefault = false, Qt::Alignment align = {}) {
  auto b = std::make_unique<QPushButton>(text);
  b->setObjectName(name);
  b->setAutoDefault(autoDefault);
  QPushButton* p = b.get();
  row.addWidget(b.release(), 0, align);
  return p;
}
