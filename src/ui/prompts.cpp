#include "ui/prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace mojihyo::ui {

namespace {
std::unique_ptr<Prompter>& Current() {
  static std::unique_ptr<Prompter> current = std::make_unique<QtPrompter>();
  return current;
}

ChosenFile Chosen(const QString& path) {
  if (path.isEmpty()) return {};
  return {path, QFileInfo(path).fileName()};
}
}  // namespace

Prompter& Prompts() { return *Current(); }

std::unique_ptr<Prompter> InstallPrompter(std::unique_ptr<Prompter> prompter) {
  return std::exchange(Current(), std::move(prompter));
}

QString QtFileFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(QLatin1Char('|'));
  if (bar < 0) return filter;
  QString description = filter.left(bar);
  const QString pattern = filter.mid(bar + 1);
  // Qt reads the patterns from the parentheses; add them if missing.
  if (!description.contains(QLatin1Char('('))) description += " (" + pattern + ")";
  return description;
}

void ReportFileFailure(QWidget* parent, const QString& title, const QString& what,
                       const QString& path, const std::string& reason) {
  Prompts().Message(parent, {title,
                             what + "\r\rFile: " + path + "\rReason: " +
                                 QString::fromLocal8Bit(reason.c_str()),
                             QMessageBox::Warning, QMessageBox::Ok});
}

QMessageBox::StandardButton QtPrompter::Message(QWidget* parent, const MessageRequest& r) {
  QMessageBox box(r.icon, r.title, r.text, r.buttons, parent);
  // Message texts separate their lines with single carriage returns. They
  // show file names and typed values as they stand, even where those look
  // like markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(QString(r.text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

ChosenFile QtPrompter::OpenFile(QWidget* parent, const FileRequest& r) {
  return Chosen(QFileDialog::getOpenFileName(parent, r.title, QString(), QtFileFilter(r.filter)));
}

ChosenFile QtPrompter::SaveFile(QWidget* parent, const FileRequest& r) {
  QFileDialog::Options options;
  if (!r.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
  return Chosen(QFileDialog::getSaveFileName(parent, r.title, QString(), QtFileFilter(r.filter),
                                             nullptr, options));
}

int QtPrompter::RunModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace mojihyo::ui
