#include "ui/table_history.h"

#include <QUndoCommand>

namespace mojihyo::ui {

namespace {
// Commands with the same id are offered to each other for merging.
constexpr int kTypingId = 1;
}  // namespace

// One step on the stack. It is pushed after its change was made, so the
// push's first redo does nothing.
class StepCommand : public QUndoCommand {
public:
  StepCommand(TableHistory& history, const QString& name, TableStep step,
              std::optional<TypingVisit> typing, bool mayMergeBack)
      : QUndoCommand(name), history_(history), step_(std::move(step)), typing_(typing),
        mayMergeBack_(mayMergeBack), changesContent_(step_->ChangesContent()) {
    history_.held_ += Bytes();
  }
  ~StepCommand() override { history_.held_ -= Bytes(); }

  void undo() override { Swap(); }
  void redo() override {
    if (pushed_) Swap();
    pushed_ = true;
  }
  int id() const override { return typing_ ? kTypingId : -1; }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* later = static_cast<const StepCommand*>(other);  // the same id: a step
    if (!step_ || !later->mayMergeBack_ || later->typing_->visit != typing_->visit ||
        later->typing_->cell != typing_->cell)
      return false;
    history_.held_ -= Bytes();
    step_->Absorb(TableStep(*later->step_), history_.doc_);
    history_.held_ += Bytes();
    changesContent_ = step_->ChangesContent();
    // A visit that ends with the text it began with is no step.
    setObsolete(step_->HoldsNothing());
    return true;
  }

  bool ChangesContent() const { return changesContent_; }
  bool Released() const { return !step_; }
  std::optional<int> FirstCell() const { return step_ ? step_->FirstCell() : std::nullopt; }

  void Release() {
    history_.held_ -= Bytes();
    step_.reset();
    history_.held_ += Bytes();
  }

private:
  std::size_t Bytes() const {
    // The command, its name and the step object, beside what the step holds.
    return sizeof(StepCommand) + 256 + (step_ ? step_->HeldBytes() : 0);
  }
  void Swap() {
    history_.held_ -= Bytes();
    step_->Swap(history_.doc_);
    history_.held_ += Bytes();
  }

  TableHistory& history_;
  std::optional<TableStep> step_;
  std::optional<TypingVisit> typing_;
  bool mayMergeBack_;
  bool changesContent_;  // kept when the step lets go of what it holds
  bool pushed_ = false;
};

TableHistory::TableHistory(FontTable& doc, std::size_t budgetBytes, QObject* parent)
    : QObject(parent), doc_(doc), budget_(budgetBytes) {}

// The commands count their bytes off held_ as they go: they go first.
TableHistory::~TableHistory() { stack_.clear(); }

StepCommand* TableHistory::At(int index) const {
  return static_cast<StepCommand*>(const_cast<QUndoCommand*>(stack_.command(index)));
}

SavePoint::ChangesContent TableHistory::ContentSteps() const {
  return [this](std::size_t step) { return At(static_cast<int>(step))->ChangesContent(); };
}

void TableHistory::Record(const QString& name, StepCovers covers,
                          const std::function<void()>& change, std::optional<TypingVisit> typing) {
  TableCapture before = BeginStep(doc_, covers);
  change();
  TableStep step = FinishStep(std::move(before), doc_);
  if (step.HoldsNothing() && !step.ChangesContent()) return;
  const auto index = static_cast<std::size_t>(stack_.index());
  saved_.Branch(index, ContentSteps());
  // Typing after a save is a step of its own: the saved content stays
  // reachable.
  stack_.push(new StepCommand(*this, name, std::move(step), typing, !saved_.IsAt(index)));
  Settle();
}

bool TableHistory::CanUndo() const { return stack_.index() > released_; }

bool TableHistory::CanRedo() const { return stack_.canRedo(); }

QString TableHistory::UndoName() const { return CanUndo() ? stack_.undoText() : QString(); }

QString TableHistory::RedoName() const { return stack_.redoText(); }

std::optional<int> TableHistory::Undo() {
  if (!CanUndo()) return std::nullopt;
  const StepCommand* step = At(stack_.index() - 1);
  stack_.undo();
  Settle();
  return step->FirstCell();
}

std::optional<int> TableHistory::Redo() {
  if (!CanRedo()) return std::nullopt;
  const StepCommand* step = At(stack_.index());
  stack_.redo();
  Settle();
  return step->FirstCell();
}

void TableHistory::MarkSaved() {
  saved_.SavedAt(static_cast<std::size_t>(stack_.index()));
  Settle();
}

void TableHistory::Clear() {
  stack_.clear();
  released_ = 0;
  saved_.SavedAt(0);
  Settle();
}

void TableHistory::Settle() {
  doc_.TableChanged = saved_.Changed(static_cast<std::size_t>(stack_.index()), ContentSteps());
  // Only steps below the current one let go, so redo is never cut off.
  while (held_ > budget_ && released_ < stack_.index()) At(released_++)->Release();
  emit changed();
}

}  // namespace mojihyo::ui
