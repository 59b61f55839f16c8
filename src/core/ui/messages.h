#pragma once
// The message seam: every refusal and notice the user sees goes through MessageSink, so the
// desktop program shows a message box and tests and the CLI record exactly what was shown.

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kestrel {

/// The application title; plain messages without a caption of their own show it.
inline constexpr const char* kAppTitle = "Kestrel";

/// The captions of the program's message boxes, exactly as shown.
namespace text {
inline constexpr const char* kCaptionWarning = "Warning";
inline constexpr const char* kCaptionWarningBang = "Warning!";
inline constexpr const char* kCaptionError = "Error";
inline constexpr const char* kCaptionErrorBang = "Error!";
inline constexpr const char* kCaptionInformation = "Information";
inline constexpr const char* kCaptionInformationBang = "Information!";
inline constexpr const char* kCaptionSave = "Save";
inline constexpr const char* kCaptionClose = "Close";
inline constexpr const char* kCaptionSaveProject = "Save project?";
}  // namespace text

enum class Buttons { Ok, OkCancel, YesNoCancel };
enum class Icon { None, Warning, Information, Error, Question };
enum class Answer { Ok, Cancel, Yes, No };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// Shows a modal message and returns the button the user pressed.
  virtual Answer Show(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon icon) = 0;
  /// A plain message box: the application title, an OK button and no icon.
  Answer Plain(const std::string& text) { return Show(text, kAppTitle, Buttons::Ok, Icon::None); }
};

struct ShownMessage {
  std::string text;
  std::string caption;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
};

/// Records every message and answers from a queue (OK, or Yes for a question, when it is empty).
class RecordingMessages : public MessageSink {
 public:
  std::vector<ShownMessage> shown;
  std::deque<Answer> answers;
  /// Called with every message as it is shown, e.g. to look at the windows at that moment.
  std::function<void(const ShownMessage&)> onShow;

  Answer Show(const std::string& text, const std::string& caption, Buttons buttons,
              Icon icon) override {
    shown.push_back({text, caption, buttons, icon});
    if (onShow) onShow(shown.back());
    if (!answers.empty()) {
      Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
  }
};

}  // namespace kestrel
