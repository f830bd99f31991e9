#pragma once

#include "core/font_table.h"
#include "core/save_point.h"
#include "core/table_step.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <functional>
#include <optional>

namespace mojihyo::ui {

class StepCommand;

// How a window hands a change of the document to the history: the step's
// name, what the change may touch, and the change itself.
using StepRecorder =
    std::function<void(const QString& name, StepCovers covers, const std::function<void()>& change)>;

// A cell visit: the typing from the moment a cell gets the focus until it
// loses it is one step.
struct TypingVisit {
  int visit;
  int cell;
};

// The document's undo history. The core decides what each step holds; this
// keeps the steps in a QUndoStack, keeps TableChanged following the history
// (content-changing steps between the saved point and now), and keeps the
// steps within a memory budget: past it, the oldest steps give up what
// they hold, and undo stops above them.
class TableHistory : public QObject {
  Q_OBJECT

public:
  explicit TableHistory(FontTable& doc, std::size_t budgetBytes = kHistoryBudgetBytes,
                        QObject* parent = nullptr);
  ~TableHistory() override;

  // Runs `change` and keeps what it did as one step called `name`. A change
  // that altered nothing and marked nothing leaves no step. Typing merges
  // into the step before it when both belong to the same visit.
  void Record(const QString& name, StepCovers covers, const std::function<void()>& change,
              std::optional<TypingVisit> typing = std::nullopt);

  bool CanUndo() const;
  bool CanRedo() const;
  QString UndoName() const;
  QString RedoName() const;
  // Each returns the first cell the step changed, if it changed any.
  std::optional<int> Undo();
  std::optional<int> Redo();

  // A save: the table is unchanged here, and the history stays.
  void MarkSaved();
  // An open or a new table: no history, and the table is unchanged.
  void Clear();

  std::size_t HeldBytes() const { return held_; }
  int StepCount() const { return stack_.count(); }
  // The steps that still hold what they changed.
  int WholeSteps() const { return stack_.count() - released_; }

signals:
  // Anything the Undo and Redo items show may have changed.
  void changed();

private:
  friend class StepCommand;
  StepCommand* At(int index) const;
  SavePoint::ChangesContent ContentSteps() const;
  // TableChanged follows the history; over budget, the oldest steps let go.
  void Settle();

  FontTable& doc_;
  QUndoStack stack_;
  SavePoint saved_;
  std::size_t budget_;
  std::size_t held_ = 0;
  int released_ = 0;  // the oldest steps that hold nothing any more
};

}  // namespace mojihyo::ui
