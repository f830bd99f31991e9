// The Block Ops menu of the main window.

#include "ui/frm_main.h"

#include "core/block_ops.h"
#include "core/hex_notation.h"
#include "ui/byte_text.h"
#include "ui/table_cell.h"

#include <QAction>

namespace mojihyo::ui {

void frmMain::ConnectBlockMenu() {
  const std::pair<const char*, BlockCommand> starts[] = {
      {"MoJiHyoBlockCopy", BlockCommand::Copy},
      {"MoJiHyoBlockCut", BlockCommand::Cut},
      {"MoJiHyoBlockLock", BlockCommand::Lock},
      {"MoJiHyoBlockUnlock", BlockCommand::Unlock},
  };
  for (const auto& [name, command] : starts)
    OnMenuItem(name, [this, command = command] { StartBlockOperation(state_, command); });
  OnMenuItem("MoJiHyoBlockPaste", [this] { MoJiHyoBlockPaste_Click(); });
}

void frmMain::MoJiHyoBlockPaste_Click() {
  // Every pasted cell gets the grid's own tooltip, even where the text was
  // already there.
  RecordStep(StepName("MoJiHyoBlockPaste"), StepCovers::Table, [this] {
    for (int i : PasteBlock(doc_, state_)) UseGridNumber(i);
  });
}

}  // namespace mojihyo::ui
