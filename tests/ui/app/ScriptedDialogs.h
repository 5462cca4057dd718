#pragma once

#include <QApplication>
#include <QPrinter>
#include <deque>
#include <string>
#include <vector>

#include "editor/EditorDialogs.h"
#include "platform/Dialogs.h"

namespace draivo::test {

// The dialogs of the main window, the design mode and the editor, answered by the test
// script, with a record of everything shown.
class ScriptedDialogs : public Dialogs, public EditorDialogs {
 public:
  struct Shown {
    std::string title, text;
    bool question;     // Yes/No or OK/Cancel
    bool busyPointer;  // the hourglass was showing
  };
  struct FileDialog {
    std::string title, start;  // start: the start file or folder
  };

  // Answers to questions in turn, true for Yes or OK; No or Cancel when used up.
  std::deque<bool> answers;
  // The open and save dialogs' answers in turn; "" (cancelled) when used up.
  std::deque<std::string> openAnswers, saveAnswers;
  std::function<void(const Shown&)> onMessage;
  QString pdfFile;  // the printer prints into this file; empty: the system has no printer

  std::vector<Shown> messages;
  std::vector<FileDialog> openDialogs, saveDialogs;

  MessageAnswer messageBox(QWidget*, const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon) override {
    const bool yesNo = buttons == MessageButtons::YesNo;
    const bool yes = answer(title, text, yesNo);
    return !yesNo ? MessageAnswer::Ok : (yes ? MessageAnswer::Yes : MessageAnswer::No);
  }
  std::string openFileName(QWidget*, const std::string& title, const std::string&,
                           const std::string& startFile) override {
    return ask(openDialogs, openAnswers, {title, startFile});
  }
  QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString& title,
                                      const QString& text,
                                      QMessageBox::StandardButtons buttons) override {
    const bool yes = answer(title.toStdString(), text.toStdString(), buttons != QMessageBox::Ok);
    if (buttons.testFlag(QMessageBox::Yes)) return yes ? QMessageBox::Yes : QMessageBox::No;
    return yes || buttons == QMessageBox::Ok ? QMessageBox::Ok : QMessageBox::Cancel;
  }
  QString openFileName(QWidget*, const QString& title, const QString& folder,
                       const QString&) override {
    return QString::fromStdString(
        ask(openDialogs, openAnswers, {title.toStdString(), folder.toStdString()}));
  }
  QString saveFileName(QWidget*, const QString& title, const QString& folder,
                       const QString&) override {
    return QString::fromStdString(
        ask(saveDialogs, saveAnswers, {title.toStdString(), folder.toStdString()}));
  }
  bool chooseFont(QWidget*, QFont&, QColor&) override { return false; }
  std::unique_ptr<QPrinter> defaultPrinter() override {
    if (pdfFile.isEmpty()) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdfFile);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
  }

 private:
  bool answer(const std::string& title, const std::string& text, bool question) {
    messages.push_back({title, text, question, QApplication::overrideCursor() != nullptr});
    if (onMessage) onMessage(messages.back());
    return question && next(answers, false);
  }
  static std::string ask(std::vector<FileDialog>& shown, std::deque<std::string>& answers,
                         FileDialog dialog) {
    shown.push_back(std::move(dialog));
    return next(answers, std::string());
  }
  template <typename T>
  static T next(std::deque<T>& queue, T none) {
    if (queue.empty()) return none;
    T first = std::move(queue.front());
    queue.pop_front();
    return first;
  }
};

}  // namespace draivo::test
