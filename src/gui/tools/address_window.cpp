#include "gui/tools/address_window.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/realize.h"
#include "function/function_text.h"
#include "gui/gui_texts.h"
#include "gui/shell/window_util.h"
#include "session/session.h"

namespace kestrel::gui {

namespace {

constexpr int kWidth = 560;  // pixels: the hints wrap in a few lines

// The function's variables from x9 down, the order the automatic choice starts from.
std::vector<int> VariablesOf(const std::string& functionText) {
  std::vector<int> out;
  for (int v = 9; v >= 0; --v)
    if (functionText.find("x" + std::to_string(v)) != std::string::npos) out.push_back(v);
  return out;
}

QString NameList(const std::vector<int>& variables, size_t count) {
  QStringList names;
  for (size_t i = 0; i < count && i < variables.size(); ++i)
    names << QStringLiteral("x%1").arg(variables[i]);
  return names.join(QLatin1Char(','));
}

// The address variables of the circuit on show when it is realized in this structure: what the
// automatic choice (or the last one) gave, a start for naming them.
QString ShownAddress(const Session& s, Structure structure) {
  if (s.commandState != CommandState::kRealized ||
      s.designCaption != NamesOf(structure).designCaption)
    return {};
  QStringList names;
  auto take = [&](const std::array<std::string, 4>& labels, int count) {
    for (int k = 0; k < count && k < 4; ++k) names << QString::fromStdString(labels[k]);
  };
  if (structure == Structure::kDemux) {
    take(s.results.demux().addressLabels, s.results.demux().addressCount);
  } else {
    for (const NodeRecord& node : s.results.nodes())
      if (node.level == 0 && node.kind == NodeKind::kMux) {
        take(node.addressLabels, node.addressCount);
        break;
      }
  }
  return names.join(QLatin1Char(','));
}

}  // namespace

AddressWindow::AddressWindow(Session& session, QWidget* parent)
    : ToolDialog(parent), session_(session) {
  setObjectName(QStringLiteral("AddressWindow"));
  setWindowTitle(QString::fromLatin1(text::kAddressTitle));
  const std::string& function = session.model.functionText;
  const Structure structure = session.choice.Current();
  const int inputs = TopAddressInputs(session.choice, CountVariables(function));
  const std::vector<int> variables = VariablesOf(function);
  const bool hasChoice = HasAddressChoice(structure);

  auto* layout = new QVBoxLayout(this);
  StructureLine = MakeChild<QLabel>(this, "StructureLine");
  QString line = QString::fromLatin1(text::kAddressStructure)
                     .arg(QString::fromLatin1(NamesOf(structure).designCaption));
  if (hasChoice) {
    line += QString::fromUtf8(inputs == 1 ? text::kAddressInputCount : text::kAddressInputsCount)
                .arg(inputs);
    if (structure == Structure::kMuxTree) line += QString::fromLatin1(text::kAddressOnOutput);
  }
  StructureLine->setText(line);
  QFont bold = StructureLine->font();
  bold.setBold(true);
  StructureLine->setFont(bold);
  layout->addWidget(StructureLine);
  VariablesLine = MakeChild<QLabel>(this, "VariablesLine");
  VariablesLine->setText(QString::fromLatin1(text::kAddressVariables)
                             .arg(NameList(variables, variables.size())
                                      .replace(QLatin1Char(','), QStringLiteral(", "))));
  layout->addWidget(VariablesLine);

  auto* group = new QButtonGroup(this);
  RadioAutomatic = MakeChild<QRadioButton>(this, "RadioAutomatic",
                                           QString::fromLatin1(text::kAddressAutomaticChoice));
  RadioNamed =
      MakeChild<QRadioButton>(this, "RadioNamed", QString::fromLatin1(text::kAddressNamedChoice));
  RadioBest =
      MakeChild<QRadioButton>(this, "RadioBest", QString::fromLatin1(text::kAddressBestChoice));
  for (QRadioButton* r : {RadioAutomatic, RadioNamed, RadioBest}) group->addButton(r);
  // Each choice's explanation under its button, indented to the button's text.
  auto hint = [this, layout](const char* name, const QString& text) {
    auto* label = MakeChild<QLabel>(this, name, text);
    label->setWordWrap(true);
    label->setIndent(24);
    layout->addWidget(label);
    return label;
  };
  layout->addSpacing(4);
  layout->addWidget(RadioAutomatic);
  hint("AutomaticHint", QString::fromLatin1(text::kAddressAutomaticHint));
  auto* named = new QHBoxLayout;
  named->addWidget(RadioNamed);
  Names = MakeChild<QLineEdit>(this, "Names");
  named->addWidget(Names, 1);
  layout->addLayout(named);
  NamesHint = hint("NamesHint", {});
  switch (structure) {
    case Structure::kMux:
    case Structure::kMuxGates:
      NamesHint->setText(QString::fromLatin1(text::kAddressHintMux)
                             .arg(inputs)
                             .arg(NameList(variables, static_cast<size_t>(inputs))));
      break;
    case Structure::kDemux:
      NamesHint->setText(QString::fromLatin1(text::kAddressHintDemux)
                             .arg(variables.size())
                             .arg(NameList(variables, variables.size())));
      break;
    case Structure::kMuxTree: {
      // The example names the output multiplexer's variables and one of the next level.
      QString example = NameList(variables, static_cast<size_t>(inputs));
      if (variables.size() > static_cast<size_t>(inputs))
        example += QStringLiteral("/x%1").arg(variables[static_cast<size_t>(inputs)]);
      NamesHint->setText(QString::fromLatin1(text::kAddressHintTree).arg(inputs).arg(example));
      break;
    }
    case Structure::kMuxDemux:
      NamesHint->setText(QString::fromStdString(CheckAddressChoice({AddressMode::kBest, {}},
                                                                   structure, inputs, function)) +
                         QStringLiteral(". ") + QString::fromLatin1(text::kAddressNoChoice));
      break;
  }
  layout->addWidget(RadioBest);
  hint("BestHint", QString::fromLatin1(text::kAddressBestHint));

  Reason = MakeChild<QLabel>(this, "Reason");
  Reason->setWordWrap(true);
  QPalette red = Reason->palette();
  red.setColor(QPalette::WindowText, QColor(0xb00000));
  Reason->setPalette(red);
  Reason->hide();
  layout->addWidget(Reason);
  KeptNote = MakeChild<QLabel>(this, "KeptNote", QString::fromLatin1(text::kAddressKept));
  KeptNote->setWordWrap(true);
  QFont small = KeptNote->font();
  small.setItalic(true);
  KeptNote->setFont(small);
  layout->addSpacing(6);
  layout->addWidget(KeptNote);
  layout->addStretch(1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ButtonOK = MakeChild<QPushButton>(this, "ButtonOK", QStringLiteral("OK"));
  ButtonOK->setDefault(true);
  ButtonCancel = MakeChild<QPushButton>(this, "ButtonCancel", QStringLiteral("Cancel"));
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  layout->addLayout(buttons);

  // The choice in force: the session drops a named one that no longer fits.
  const AddressChoice& current = session.AddressForRealization();
  switch (current.mode) {
    case AddressMode::kAutomatic:
      RadioAutomatic->setChecked(true);
      break;
    case AddressMode::kNamed:
      RadioNamed->setChecked(true);
      break;
    case AddressMode::kBest:
      RadioBest->setChecked(true);
      break;
  }
  Names->setText(current.mode == AddressMode::kNamed
                     ? QString::fromStdString(FormatAddressChoice(current))
                     : ShownAddress(session, structure));
  RadioNamed->setEnabled(hasChoice);
  RadioBest->setEnabled(hasChoice);
  Names->setEnabled(hasChoice);
  // Typing starts in the names (which chooses them); Enter is OK.
  if (hasChoice) Names->setFocus();
  connect(RadioNamed, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Names->setFocus();
  });
  // Typing names chooses them.
  connect(Names, &QLineEdit::textEdited, this, [this] { RadioNamed->setChecked(true); });
  connect(ButtonOK, &QPushButton::clicked, this, &AddressWindow::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  // Wide enough for the hints to wrap in a few lines; as high as they then need.
  setMinimumWidth(kWidth);
  FitHeight();
}

std::optional<AddressChoice> AddressWindow::ShownChoice(std::string* error) const {
  if (RadioBest->isChecked()) return AddressChoice{AddressMode::kBest, {}};
  if (!RadioNamed->isChecked()) return AddressChoice{};
  return ParseAddressChoice(Names->text().remove(QLatin1Char(' ')).toStdString(), error);
}

void AddressWindow::ButtonOKClick() {
  std::string problem;
  if (const std::optional<AddressChoice> choice = ShownChoice(&problem))
    problem = session_.SetAddressChoice(*choice);
  if (problem.empty()) {
    accept();
    return;
  }
  Reason->setText(QString::fromLatin1(text::kAddressRefusedHead) + QString::fromStdString(problem));
  Reason->show();
  FitHeight();
}

void AddressWindow::FitHeight() {
  // Word-wrapped labels need the height their wrapping at this width gives.
  const int height = layout()->totalHeightForWidth(std::max(width(), kWidth));
  setMinimumHeight(height);
  resize(std::max(width(), kWidth), height);
}

}  // namespace kestrel::gui
