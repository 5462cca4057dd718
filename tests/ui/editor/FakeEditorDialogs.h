#pragma once

#include <QApplication>
#include <QPrinter>
#include <deque>
#include <vector>

#include "editor/EditorDialogs.h"

namespace draivo::test {

// Answers the editor's dialogs from a script and remembers what was shown.
class FakeEditorDialogs : public EditorDialogs {
 public:
  struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    bool hourglass;  // the wait pointer was showing
  };
  struct FileQuestion {
    QString title;
    QString folder;
    QString filter;
  };

  QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                      const QString& text,
                                      QMessageBox::StandardButtons buttons) override {
    messages.push_back({icon, title, text, buttons, QApplication::overrideCursor() != nullptr});
    if (answers.empty()) return QMessageBox::Ok;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QString openFileName(QWidget*, const QString& title, const QString& folder,
                       const QString& filter) override {
    openQuestions.push_back({title, folder, filter});
    return openAnswer;
  }
  QString saveFileName(QWidget*, const QString& title, const QString& folder,
                       const QString& filter) override {
    saveQuestions.push_back({title, folder, filter});
    return saveAnswer;
  }
  bool chooseFont(QWidget*, QFont& font, QColor& colour) override {
    shownFont = font;
    shownColour = colour;
    if (!fontAccepted) return false;
    font = chosenFont;
    colour = chosenColour;
    return true;
  }
  std::unique_ptr<QPrinter> defaultPrinter() override {
    if (pdfFile.isEmpty()) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdfFile);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
  }

  std::vector<Message> messages;
  std::deque<QMessageBox::StandardButton> answers;
  std::vector<FileQuestion> openQuestions;
  std::vector<FileQuestion> saveQuestions;
  QString openAnswer;
  QString saveAnswer;
  bool fontAccepted = true;
  QFont chosenFont;
  QColor chosenColour;
  QFont shownFont;
  QColor shownColour;
  QString pdfFile;  // empty: the system has no printer
};

}  // namespace draivo::test
