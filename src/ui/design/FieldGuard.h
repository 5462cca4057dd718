#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QLineEdit;
class QWidget;

namespace draivo {

// The number-field behaviour of the design dialogs. A field applies its change rule to
// every new text, selects its whole text when it receives the focus, and is checked when
// it loses the focus: a field that fails keeps the focus with its text selected, and no
// other control of the dialog reacts to the mouse or to Tab until the value is accepted.
class FieldGuard : public QObject {
  Q_OBJECT

 public:
  using ChangeRule = std::function<QString(const QString&)>;
  using Check = std::function<bool()>;
  using Accepted = std::function<void()>;

  explicit FieldGuard(QObject* parent = nullptr);

  // `accepted` runs each time the field is left with a value that passes `valid`.
  void addField(QLineEdit* field, ChangeRule rule, Check valid, Accepted accepted = {});
  // A control that is blocked while a field holds a value that fails.
  void guard(QWidget* control);

  // The field whose value blocks the dialog, or null.
  QLineEdit* blockingField() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    Check valid;
    Accepted accepted;
  };

  bool fieldEvent(QLineEdit* field, const Field& rules, QEvent* event);
  bool controlEvent(QObject* control, QEvent* event);
  void returnFocus(QLineEdit* field);

  std::map<const QObject*, Field> fields_;
  QPointer<QLineEdit> current_;  // the field that has the focus, or failed when left
};

}  // namespace draivo
