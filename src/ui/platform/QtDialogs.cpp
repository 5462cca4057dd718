#include "platform/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "platform/FileFilter.h"
#include "platform/TakeKeyboard.h"

namespace draivo {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtDialogs::messageBox(QWidget* parent, const std::string& text,
                                    const std::string& title, MessageButtons buttons,
                                    MessageIcon icon) {
  const KeyboardReturn keyboard(parent);
  QMessageBox box(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::NoButton, parent);
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  const int answer = box.exec();
  if (answer == QMessageBox::Yes) return MessageAnswer::Yes;
  if (answer == QMessageBox::No) return MessageAnswer::No;
  return MessageAnswer::Ok;
}

std::string QtDialogs::openFileName(QWidget* parent, const std::string& title,
                                    const std::string& filter, const std::string& startFile) {
  const KeyboardReturn keyboard(parent);
  const QString name = QFileDialog::getOpenFileName(parent, QString::fromStdString(title),
                                                    QString::fromStdString(startFile),
                                                    QString::fromStdString(QtFileFilter(filter)));
  return name.toStdString();
}

}  // namespace draivo
