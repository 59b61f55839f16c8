#pragma once
// The message seam over QMessageBox, and the conversion of the program's line breaks for
// display.

#include <QString>
#include <string>

#include "ui/messages.h"

class QWidget;

namespace kestrel::gui {

/// The program's texts break lines with "\n\r" or "\r\n"; a Qt label wants a plain line feed.
QString DisplayText(const std::string& text);

/// Shows every message as a modal QMessageBox over the active window.
class QtMessages : public MessageSink {
 public:
  Answer Show(const std::string& text, const std::string& caption, Buttons buttons,
              Icon icon) override;
};

}  // namespace kestrel::gui
