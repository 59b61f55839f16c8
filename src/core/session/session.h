#pragma once
// The single owner of everything one run of the program works on: the function model, the
// term table, the structure choice and the realization results. Windows and CLI commands get
// references to what they need from here.

#include "engine/records.h"
#include "engine/term_table.h"
#include "function/function_model.h"
#include "structure/structure_choice.h"
#include "ui/messages.h"
#include "ui/progress.h"
#include "ui/shell.h"

namespace kestrel {

class Session : public ShellPort {
 public:
  Session(MessageSink& messages, ProgressPort& progress)
      : messages(messages), progress(progress), definition(model, table, messages, *this, progress) {}

  MessageSink& messages;
  ProgressPort& progress;
  FunctionModel model;
  TermTable table;
  FunctionDefinition definition;
  StructureChoice choice;
  ResultStore results;
  /// The structure name shown in bold under "Realized in the structure:", and the line below.
  std::string designCaption, additionalCaption;
  /// The zoom of the diagram: 10..30, 17 at start and after every OK of the structure dialog.
  int zoom = 17;

  /// The main window's command-enabling state: 7 at start.
  int commandState = 7;

  void SetCommandState(int state) override {
    if (state == 1 || state == 2 || state == 7 || state == 9 || state == 10) commandState = state;
  }
  void ClearMuxDemuxSizes() override { choice.ClearMdSizes(); }
};

}  // namespace kestrel
