#include "design/FieldGuard.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace draivo {
namespace {

// Focus that moves because another window or a pop-up became active is no leaving of the
// field: the user comes back to it as it was.
bool leavesTheField(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

// Keys with which the focus or the tab page would move away from the field.
bool isNavigationKey(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return event.modifiers().testFlag(Qt::ControlModifier);
    default:
      return false;
  }
}

bool isPointerPress(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

}  // namespace

FieldGuard::FieldGuard(QObject* parent) : QObject(parent) {}

void FieldGuard::addField(QLineEdit* field, ChangeRule rule, Check valid, Accepted accepted) {
  fields_[field] = Field{std::move(valid), std::move(accepted)};
  field->installEventFilter(this);
  QObject::connect(field, &QLineEdit::textChanged, field, [field, rule](const QString& text) {
    const QString kept = rule(text);
    if (kept != text) field->setText(kept);
  });
}

void FieldGuard::guard(QWidget* control) {
  control->installEventFilter(this);
}

QLineEdit* FieldGuard::blockingField() const {
  if (current_.isNull()) return nullptr;
  const auto found = fields_.find(current_.data());
  return found != fields_.end() && !found->second.valid() ? current_.data() : nullptr;
}

bool FieldGuard::eventFilter(QObject* watched, QEvent* event) {
  const auto found = fields_.find(watched);
  if (found != fields_.end() &&
      fieldEvent(static_cast<QLineEdit*>(watched), found->second, event)) {
    return true;
  }
  return controlEvent(watched, event);
}

bool FieldGuard::fieldEvent(QLineEdit* field, const Field& rules, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      // While another field fails, the focus is on its way back there.
      if (blockingField() == nullptr || current_ == field) {
        current_ = field;
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
      }
      return false;
    case QEvent::FocusOut:
      if (current_ != field || !leavesTheField(*static_cast<QFocusEvent*>(event))) return false;
      if (rules.valid()) {
        current_ = nullptr;
        if (rules.accepted) rules.accepted();
      } else {
        returnFocus(field);
      }
      return false;
    case QEvent::KeyPress:
      if (current_ == field && isNavigationKey(*static_cast<QKeyEvent*>(event)) && !rules.valid()) {
        field->selectAll();
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool FieldGuard::controlEvent(QObject* control, QEvent* event) {
  QLineEdit* blocking = blockingField();
  if (blocking == nullptr || control == blocking) return false;
  if (isPointerPress(*event)) {
    returnFocus(blocking);
    return true;
  }
  // Keys reach a control only in the moment before the focus goes back to the field.
  if (event->type() == QEvent::KeyPress) return true;
  return false;
}

void FieldGuard::returnFocus(QLineEdit* field) {
  // The focus cannot be set back while it is still moving away, so it goes back afterwards.
  QTimer::singleShot(0, field, [field] {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
  });
}

}  // namespace draivo
