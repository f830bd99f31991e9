#pragma once

// Every message box, file dialog and modal dialog of the program is shown
// through one Prompter. The application installs the Qt one; tests install
// a scripted one that answers and records what was asked.

#include <QMessageBox>
#include <QString>

#include <memory>
#include <string>

class QDialog;
class QWidget;

namespace mojihyo::ui {

struct MessageRequest {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Information;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

// An open or save file dialog. `filter` is "description|pattern".
struct FileRequest {
  QString title;
  QString filter;
  bool mustExist = false;       // open: only an existing file can be chosen
  bool confirmOverwrite = false;  // save: ask before replacing a file
};

// A chosen file: its full path and its name without folders. Both empty
// when the dialog was cancelled.
struct ChosenFile {
  QString path;
  QString title;
  bool cancelled() const { return path.isEmpty(); }
};

class Prompter {
public:
  virtual ~Prompter() = default;
  virtual QMessageBox::StandardButton Message(QWidget* parent, const MessageRequest& request) = 0;
  virtual ChosenFile OpenFile(QWidget* parent, const FileRequest& request) = 0;
  virtual ChosenFile SaveFile(QWidget* parent, const FileRequest& request) = 0;
  // Runs a dialog modally and returns its result code.
  virtual int RunModal(QDialog& dialog) = 0;
};

// The prompter in use (the Qt one unless another was installed).
Prompter& Prompts();

// Installs `prompter` and returns the one it replaces.
std::unique_ptr<Prompter> InstallPrompter(std::unique_ptr<Prompter> prompter);

// The standard dialogs of the platform.
class QtPrompter : public Prompter {
public:
  QMessageBox::StandardButton Message(QWidget* parent, const MessageRequest& request) override;
  ChosenFile OpenFile(QWidget* parent, const FileRequest& request) override;
  ChosenFile SaveFile(QWidget* parent, const FileRequest& request) override;
  int RunModal(QDialog& dialog) override;
};

// Tells the user that a file could not be read or written: what failed,
// the file and the system's reason.
void ReportFileFailure(QWidget* parent, const QString& title, const QString& what,
                       const QString& path, const std::string& reason);

// "Thingy table files (*.tbl)|*.tbl" as Qt's file dialogs take it:
// "Thingy table files (*.tbl)".
QString QtFileFilter(const QString& filter);

}  // namespace mojihyo::ui
