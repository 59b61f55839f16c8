#pragma once
// The function model and the operations of the function definition: canonical entry (three
// lists of combination numbers), literal entry (a sum of products), and the minimization run.

#include <optional>
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

/// The three lists of the canonical entry, in the order of the "Select" radio group.
enum class ListKind { kOnes = 0, kZeros = 1, kDontCares = 2 };
inline constexpr ListKind kListKinds[] = {ListKind::kOnes, ListKind::kZeros, ListKind::kDontCares};
/// The list at a position of the "Select" group (0..2); nothing for another number.
std::optional<ListKind> ListKindFromIndex(int index);

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

  std::vector<std::string>& list(ListKind kind) { return lists[static_cast<int>(kind)]; }
  const std::vector<std::string>& list(ListKind kind) const {
    return lists[static_cast<int>(kind)];
  }
  std::vector<std::string>& ones() { return list(ListKind::kOnes); }
  std::vector<std::string>& zeros() { return list(ListKind::kZeros); }
  std::vector<std::string>& dontCares() { return list(ListKind::kDontCares); }
  const std::vector<std::string>& ones() const { return list(ListKind::kOnes); }
  const std::vector<std::string>& zeros() const { return list(ListKind::kZeros); }
  const std::vector<std::string>& dontCares() const { return list(ListKind::kDontCares); }
  const std::vector<std::string>& backupList(ListKind kind) const {
    return backupLists[static_cast<int>(kind)];
  }

  void ResetVariableNames();
  void AppendVariableName(const std::string& name);
  /// The number of variables the minimization works with.
  int VariableCount() const;
};

/// The two layouts of the function definition window.
enum class EntryLayout { kCanonical, kLiteral };

/// The function definition window's logic, without the window: it owns no data but works on the
/// model and reports through the seams.
class FunctionDefinition {
 public:
  FunctionDefinition(FunctionModel& model, TermTable& table, MessageSink& messages,
                     ShellPort& shell, ProgressPort& progress);

  // --- Opening the window ---
  void OpenCanonical();
  void OpenLiteral();
  bool minimizeChecked = true;                   ///< the "Minimize" box; set on every opening
  bool open = false;                             ///< whether the window is shown
  EntryLayout layout = EntryLayout::kCanonical;  ///< the layout of the last opening

  // --- Canonical entry ---
  /// "Add": puts text into the target list. Returns true when it was inserted. When false,
  /// editText keeps the text; on a duplicate it is emptied like after an insertion.
  bool Add(const std::string& text, ListKind target);
  std::string editText;  ///< the number box (Edit1)
  bool CheckNumber(const std::string& text);
  bool CheckLeadingZero(const std::string& text);
  /// Whether "Ok" closes the window before the minimization runs: it stays open only to refuse
  /// more than 1024 Ones and Don't cares.
  bool OkClosesWindow() const;
  /// "Ok": returns true when the window closed (the function was accepted).
  bool Ok();
  void Cancel();
  void ClearAll();
  void SelectAll(ListKind target);
  void Select(ListKind target, int index, bool selected);
  /// Deletes the selected entries of the target list.
  void Delete(ListKind target);
  /// Which entries of a list are selected.
  const std::vector<bool>& Selection(ListKind list) const {
    return selection_[static_cast<int>(list)];
  }

  // --- Literal entry ---
  int CheckLiteral();
  int ParseProduct(const std::string& s);
  int ParseLiteral(const std::string& token);
  /// "OK" of the literal entry; returns true when the window closed. It runs in two steps, so
  /// that the window can get out of the way of the minimization's messages and progress:
  /// LiteralCheck cleans and checks the text (true when accepted; a refused text leaves the
  /// backup taken when the window opened, so Cancel still brings the old function back), and
  /// LiteralAccept makes the checked text the function, minimized when "Minimize" is set.
  bool LiteralOk();
  bool LiteralCheck();
  void LiteralAccept();
  void LiteralCancel();
  /// Fills Ones with the minterms of t and sets the variable names; 1 when stopped, else 0.
  int LiteralToCanonical(const std::string& t);

  // --- Minimization run ---
  void MinimizeFunction();
  void GenerateZeros();

  /// Esc on the window: the Cancel of the current representation, then close.
  void Escape();
  /// The window's close box: the Cancel of the layout shown, as its Cancel button would.
  void CloseBox();

 private:
  void ClearWorkLists();
  struct ProductRecord {
    bool plain[10] = {};
    bool negated[10] = {};
  } product_;
  std::vector<std::pair<int, int>> productList_;
  std::vector<bool> selection_[3];  ///< (P, N) of the distinct products

  FunctionModel& model_;
  TermTable& table_;
  MessageSink& messages_;
  ShellPort& shell_;
  ProgressPort& progress_;
  int generatedN_ = 0;
};

}  // namespace kestrel
