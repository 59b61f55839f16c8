#pragma once
// The function model and the operations of the function definition: canonical entry (three
// lists of combination numbers), literal entry (a sum of products), and the minimization run.

#include <string>
#include <vector>

#include "ui/messages.h"
#include "ui/progress.h"
#include "ui/shell.h"

namespace kestrel {

class TermTable;

/// The smallest k in 1..10 with v < 2^k; -1 for v outside 0..1023.
int BitsNeeded(int v);
/// The variables negated in the minterm v of an n-variable function: (~v) & (2^n - 1).
int ComplementMask(int v, int n);
/// The value of a list entry: a decimal text 0..1023, or -1 for anything else.
int EntryValue(const std::string& text);

enum ListIndex { kOnes = 0, kZeros = 1, kDontCares = 2 };

struct FunctionModel {
  std::vector<std::string> lists[3];        ///< Ones, Zeros, Don't cares (ascending)
  std::string functionText;                 ///< the minimized text, "0"/"1", or the literal text
  int representationFlag = 0;               ///< 0 none, 1 canonical, 2 literal
  std::vector<std::string> backupLists[3];  ///< taken when the canonical entry opens
  std::string backupText = "tmp";           ///< taken when the literal entry opens
  std::vector<std::string> onesMasks;       ///< ComplementMask of each One
  std::vector<std::string> dontCareMasks;   ///< ComplementMask of each Don't care
  std::vector<std::string> variableNames = std::vector<std::string>(10, "0");
  int variableNameCount = 0;
  int functionModified = 0;

  std::vector<std::string>& ones() { return lists[kOnes]; }
  std::vector<std::string>& zeros() { return lists[kZeros]; }
  std::vector<std::string>& dontCares() { return lists[kDontCares]; }
  const std::vector<std::string>& ones() const { return lists[kOnes]; }
  const std::vector<std::string>& zeros() const { return lists[kZeros]; }
  const std::vector<std::string>& dontCares() const { return lists[kDontCares]; }

  void ResetVariableNames();
  void AppendVariableName(const std::string& name);
  /// The number of variables the minimization works with.
  int VariableCount() const;
};

/// The function definition window's logic, without the window: it owns no data but works on the
/// model and reports through the seams.
class FunctionDefinition {
 public:
  FunctionDefinition(FunctionModel& model, TermTable& table, MessageSink& messages,
                     ShellPort& shell, ProgressPort& progress);

  // --- Opening the window ---
  void OpenCanonical();
  void OpenLiteral();
  bool minimizeChecked = true;  ///< the "Minimize" box; set on every opening
  bool open = false;            ///< whether the window is shown

  // --- Canonical entry ---
  /// "Add": puts text into the target list. Returns true when it was inserted. When false,
  /// editText keeps the text; on a duplicate it is emptied like after an insertion.
  bool Add(const std::string& text, int target);
  std::string editText;  ///< the number box (Edit1)
  bool CheckNumber(const std::string& text);
  bool CheckLeadingZero(const std::string& text);
  /// "Ok": returns true when the window closed (the function was accepted).
  bool Ok();
  void Cancel();
  void ClearAll();
  void SelectAll(int target);
  void Select(int target, int index, bool selected);
  /// Deletes the selected entries of the target list.
  void Delete(int target);
  std::vector<bool> selection[3];

  // --- Literal entry ---
  int CheckLiteral();
  int ParseProduct(const std::string& s);
  int ParseLiteral(const std::string& token);
  /// "OK" of the literal entry; returns true when the window closed.
  bool LiteralOk();
  void LiteralCancel();
  /// Fills Ones with the minterms of t and sets the variable names; 1 when stopped, else 0.
  int LiteralToCanonical(const std::string& t);

  // --- Minimization run ---
  void MinimizeFunction();
  void GenerateZeros();

  /// Esc on the window: the Cancel of the current representation, then close.
  void Escape();

 private:
  void ClearWorkLists();
  struct ProductRecord {
    bool plain[10] = {};
    bool negated[10] = {};
  } product_;
  std::vector<std::pair<int, int>> productList_;  ///< (P, N) of the distinct products

  FunctionModel& model_;
  TermTable& table_;
  MessageSink& messages_;
  ShellPort& shell_;
  ProgressPort& progress_;
  int generatedN_ = 0;
};

}  // namespace kestrel
