// The minimization run: completes the Zeros list, derives the complement masks, handles the
// constant functions, runs the engine and stores the result as the function text, driving the
// progress window and the user's stop request.

#include <chrono>
#include <ctime>
#include <memory>
#include <new>
#include <stdexcept>

#include "function/function_model.h"
#include "function/function_text.h"
#include "function/minimizer.h"
#include "function/texts.h"

namespace kestrel {

namespace {

class RunHooks : public CombineHooks {
 public:
  RunHooks(ProgressPort& progress, MessageSink& messages, FunctionModel& model, bool large)
      : progress_(progress), messages_(messages), model_(model), large_(large) {}

  bool LevelStep() override {
    if (!large_) return false;
    progress_.SetBarPosition(progress_.BarPosition() + 1);
    progress_.ProcessEvents();
    if (!progress_.IsRunning()) return Stop();
    progress_.ProcessEvents();
    return false;
  }
  bool PairPoll() override {
    if (!progress_.IsRunning()) return Stop();
    progress_.ProcessEvents();
    return false;
  }

 private:
  bool Stop() {
    messages_.Plain(text::kStopped);
    // A stopped canonical run leaves no function rather than a stale literal text.
    model_.functionText = model_.representationFlag == 2 ? model_.backupText : std::string();
    progress_.Close();
    return true;
  }
  ProgressPort& progress_;
  MessageSink& messages_;
  FunctionModel& model_;
  bool large_;
};

}  // namespace

void FunctionDefinition::GenerateZeros() {
  model_.dontCareMasks.clear();
  model_.onesMasks.clear();
  const int n = model_.VariableCount();
  generatedN_ = n;
  const int size = n > 0 ? 1 << n : 1;
  {
    std::vector<bool> marks(size, false);
    for (const auto& list : model_.lists)
      for (const auto& entry : list) {
        const int v = EntryValue(entry);
        if (v >= 0 && v < size) marks[v] = true;
      }
    const long listed =
        static_cast<long>(model_.ones().size() + model_.zeros().size() + model_.dontCares().size());
    const bool showProgress = size - listed > 200;
    if (showProgress) {
      progress_.SetTitle(text::kTitleZeros);
      progress_.SetRunning(1);
      progress_.SetTimeText("");
      progress_.Show();
      progress_.SetBarPosition(0);
      progress_.SetBarMaximum(size);
      progress_.ProcessEvents();
    }
    auto& zeros = model_.zeros();
    std::vector<int> zeroValues(zeros.size());
    for (size_t i = 0; i < zeros.size(); ++i) zeroValues[i] = EntryValue(zeros[i]);
    for (int pos = 0; pos < size; ++pos) {
      if (showProgress) {
        progress_.SetBarPosition(progress_.BarPosition() + 1);
        progress_.SetStopEnabled(true);
        progress_.ProcessEvents();
        if (!progress_.IsRunning()) {
          messages_.Plain(text::kStopped);
          progress_.Close();
          break;
        }
        progress_.ProcessEvents();
      }
      if (marks[pos]) continue;
      size_t at = 0;
      while (at < zeroValues.size() && zeroValues[at] < pos) ++at;
      zeros.insert(zeros.begin() + static_cast<long>(at), std::to_string(pos));
      zeroValues.insert(zeroValues.begin() + static_cast<long>(at), pos);
    }
    progress_.SetStopEnabled(true);
    progress_.SetTitle(text::kTitleMinimization);
    progress_.SetTimeText(text::kTimeLine);
  }
  for (const auto& v : model_.ones())
    model_.onesMasks.push_back(std::to_string(ComplementMask(EntryValue(v), n)));
  if (!model_.dontCares().empty())
    for (const auto& v : model_.dontCares())
      model_.dontCareMasks.push_back(std::to_string(ComplementMask(EntryValue(v), n)));
}

void FunctionDefinition::MinimizeFunction() {
  progress_.SetTitle(text::kTitleMinimization);
  progress_.SetTimeText(text::kTimeLine);
  progress_.SetStopEnabled(true);
  if (model_.representationFlag == 0) return;
  model_.functionModified = 1;
  const std::time_t start = std::time(nullptr);
  GenerateZeros();
  if (model_.ones().empty() && !model_.dontCares().empty()) {
    model_.functionText = "0";
    messages_.Plain(text::kMinimizesToZero);
    return;
  }
  if (model_.ones().empty() && model_.dontCares().empty()) return;

  const size_t terms = model_.ones().size() + model_.dontCares().size();
  std::unique_ptr<LevelTable> table;
  try {
    // The masks are the run's own texts; one that is not a number is a failure of the run.
    auto mask = [](const std::string& text) {
      int value = 0;
      if (!ParseSmallNumber(text, &value)) throw std::invalid_argument("complement mask");
      return value;
    };
    std::vector<InputTerm> input;
    input.reserve(terms);
    for (size_t i = 0; i < model_.ones().size(); ++i)
      input.push_back({EntryValue(model_.ones()[i]), mask(model_.onesMasks.at(i)), false});
    for (size_t i = 0; i < model_.dontCares().size(); ++i)
      input.push_back({EntryValue(model_.dontCares()[i]), mask(model_.dontCareMasks.at(i)), true});
    try {
      table = std::make_unique<LevelTable>(input);
    } catch (const std::bad_alloc&) {
      messages_.Plain(text::kNoMemoryRun);
      return;
    }

    const bool large = terms > 100;
    if (large) {
      progress_.Hide();
      progress_.ProcessEvents();
      progress_.Show();
      progress_.SetBarMaximum(10);
      progress_.SetBarPosition(0);
      progress_.ProcessEvents();
    }
    progress_.SetRunning(1);
    RunHooks hooks(progress_, messages_, model_, large);
    if (!table->CombineLevels(&hooks)) return;
    progress_.SetBarPosition(progress_.BarMaximum());

    const int levels = table->CountLevels();
    table->SelectCover(levels);
    if (table->IsConstantOne(levels, generatedN_)) {
      messages_.Plain(text::kMinimizesToOne);
      model_.functionText = "1";
      shell_.SetCommandState(CommandState::kFunctionDefined);
      shell_.SetCommandState(CommandState::kNothingToRealize);
    } else {
      shell_.SetCommandState(CommandState::kFunctionDefined);
      std::vector<std::string> overflow;
      model_.functionText =
          table->FormatCover(levels, model_.representationFlag, model_.variableNames,
                             model_.variableNameCount, &overflow);
      for (const auto& m : overflow) messages_.Plain(m);
    }
    table.reset();
    progress_.SetTitle(text::kTitleFinished);
    progress_.SetStopEnabled(false);
    progress_.SetTimeText("Minimization time: " + std::to_string(std::time(nullptr) - start) + "s");
  } catch (const std::exception&) {
    messages_.Plain(text::kMinimizationError);
  }
}

}  // namespace kestrel
