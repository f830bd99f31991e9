#pragma once

// A prompter for tests: answers message boxes and file dialogs from a
// script, runs modal dialogs through a test's own function, and records
// everything it was asked.

#include <gtest/gtest.h>

#include <QDialog>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "ui/prompts.h"

namespace mojihyo::ui::testing {

class ScriptedPrompter : public Prompter {
public:
  std::vector<MessageRequest> messages;
  std::deque<QMessageBox::StandardButton> answers;  // empty: the box's first button
  std::vector<FileRequest> opened, saved;
  std::deque<ChosenFile> files;  // empty: cancelled
  std::vector<QString> dialogs;  // object names of the dialogs run modally
  // The user's part in a dialog, by the dialog's object name. A part that
  // never got to play fails the test when the prompter goes: its checks
  // would otherwise pass without having run.
  std::map<QString, std::function<void(QDialog&)>> play;
  // Plays the user's part in any other modal dialog; without either, the
  // dialog is rejected as if closed by its frame.
  std::function<void(QDialog&)> onModal;

  // How many times the dialog called `name` was run.
  int Shown(const QString& name) const {
    return static_cast<int>(std::count(dialogs.begin(), dialogs.end(), name));
  }
  // Fails the test for every scripted part whose dialog never opened.
  void CheckEveryPartPlayed() const {
    for (const auto& [name, part] : play)
      if (!played_.count(name)) ADD_FAILURE() << name.toStdString() << " was scripted but never shown";
  }

  QMessageBox::StandardButton Message(QWidget*, const MessageRequest& r) override {
    messages.push_back(r);
    if (!answers.empty()) {
      auto a = answers.front();
      answers.pop_front();
      return a;
    }
    for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
      if (r.buttons & b) return b;
    return QMessageBox::NoButton;
  }
  ChosenFile OpenFile(QWidget*, const FileRequest& r) override {
    opened.push_back(r);
    return NextFile();
  }
  ChosenFile SaveFile(QWidget*, const FileRequest& r) override {
    saved.push_back(r);
    return NextFile();
  }
  int RunModal(QDialog& dialog) override {
    dialogs.push_back(dialog.objectName());
    dialog.setModal(true);
    dialog.show();
    if (auto it = play.find(dialog.objectName()); it != play.end()) {
      played_.insert(it->first);
      auto part = it->second;  // the part may replace itself while it plays
      part(dialog);
    } else if (onModal) {
      onModal(dialog);
    }
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
  }

private:
  std::set<QString> played_;

  ChosenFile NextFile() {
    if (files.empty()) return {};
    ChosenFile f = files.front();
    files.pop_front();
    return f;
  }
};

// Installs a ScriptedPrompter for the life of a test.
class ScopedPrompter {
public:
  ScopedPrompter() {
    auto p = std::make_unique<ScriptedPrompter>();
    prompter_ = p.get();
    previous_ = InstallPrompter(std::move(p));
  }
  ~ScopedPrompter() {
    prompter_->CheckEveryPartPlayed();
    InstallPrompter(std::move(previous_));
  }
  ScriptedPrompter* operator->() { return prompter_; }
  ScriptedPrompter& operator*() { return *prompter_; }

private:
  ScriptedPrompter* prompter_;
  std::unique_ptr<Prompter> previous_;
};

}  // namespace mojihyo::ui::testing
