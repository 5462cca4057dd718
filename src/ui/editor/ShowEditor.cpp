#include "editor/ShowEditor.h"

#include <QPointer>
#include <QPlainTextEdit>
#include <memory>

#include "editor/EditorDialogs.h"
#include "editor/KeepOnTop.h"
#include "editor/frmNC_Editor.h"
#include "platform/ProgramFolder.h"
#include "platform/TakeKeyboard.h"

namespace draivo {

frmNC_Editor* showEditor(QWidget* mainWindow, const QString& fileName,
                         std::function<void()> onExit) {
  static QPointer<frmNC_Editor> editor;
  if (editor) {
    takeKeyboard(editor->textArea());
    return editor;
  }
  editor =
      new frmNC_Editor(fileName, ProgramFolder(), std::make_shared<QtEditorDialogs>(), mainWindow);
  editor->setAttribute(Qt::WA_DeleteOnClose);
  if (onExit) editor->setExitHandler(std::move(onExit));
  KeepOnTop(editor, true);
  takeKeyboard(editor->textArea());
  return editor;
}

}  // namespace draivo
