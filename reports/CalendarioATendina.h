#pragma once

#include <QDate>
#include <QIcon>
#include <optional>

class QLineEdit;

// The month page that a date field of the statistics window drops down.
namespace CalendarioATendina {

// A month page under `campo`, opened on `attuale`: the date picked, or none
// when a click elsewhere closed it.
std::optional<QDate> scegli(QLineEdit& campo, const QDate& attuale);
// A small month sheet: the face of the field's button that drops the page down.
QIcon icona();

} // namespace CalendarioATendina
