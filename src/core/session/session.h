#pragma once
// The single owner of everything one run of the program works on: the function model, the
// term table, the structure choice and the realization results. Windows and CLI commands get
// references to what they need from here.

#include "engine/term_table.h"
#include "function/function_model.h"
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

  /// The main window's command-enabling state: 7 at start.
  int commandState = 7;

  void SetCommandState(int state) override {
    if (state == 1 || state == 2 || state == 7 || state == 9 || state == 10) commandState = state;
  }
  void ClearMuxDemuxSizes() override { ++muxDemuxSizeClears; }
  int muxDemuxSizeClears = 0;
};

}  // namespace kestrel
