#include "gui/shell/live_circuit_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "diagram/value_style.h"
#include "gui/gui_texts.h"
#include "gui/shell/window_util.h"

namespace kestrel::gui {

namespace {

/// The speeds offered for playing: milliseconds per combination.
constexpr int kPlaySpeeds[] = {250, 500, 1000, 2000};
constexpr int kDefaultSpeedIndex = 2;

QString Hex(Color c) {
  return QStringLiteral("#%1").arg(c, 6, 16, QLatin1Char('0'));
}

/// A switch shows its value in the colour, weight and frame of the lines that carry it.
QString SwitchStyle(bool on) {
  return on ? QStringLiteral(
                  "QToolButton { background: %1; color: white; font-weight: bold; "
                  "border: 2px solid black; padding: 2px 6px; }")
                  .arg(Hex(kValueOneColor))
            : QStringLiteral(
                  "QToolButton { background: white; color: %1; "
                  "border: 1px dashed %1; padding: 3px 7px; }")
                  .arg(Hex(kValueZeroColor));
}

}  // namespace

LiveCircuitBar::LiveCircuitBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LiveCircuitBar"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 4, 8, 4);
  row->setSpacing(6);
  row->addWidget(MakeChild<QLabel>(this, "InputsCaption", QString::fromUtf8(text::kInputsCaption)));
  switchBox_ = MakeChild<QWidget>(this, "Switches");
  auto* switchRow = new QHBoxLayout(switchBox_);
  switchRow->setContentsMargins(0, 0, 0, 0);
  switchRow->setSpacing(3);
  row->addWidget(switchBox_);
  row->addSpacing(12);
  row->addWidget(
      MakeChild<QLabel>(this, "CombinationCaption", QString::fromUtf8(text::kCombinationCaption)));
  Previous = MakeChild<QToolButton>(this, "Previous");
  Previous->setArrowType(Qt::LeftArrow);
  Previous->setToolTip(QString::fromUtf8(text::kPreviousHint));
  row->addWidget(Previous);
  Combination = MakeChild<QSpinBox>(this, "Combination");
  Combination->setKeyboardTracking(false);
  row->addWidget(Combination);
  Next = MakeChild<QToolButton>(this, "Next");
  Next->setArrowType(Qt::RightArrow);
  Next->setToolTip(QString::fromUtf8(text::kNextHint));
  row->addWidget(Next);
  Play = MakeChild<QToolButton>(this, "Play");
  Play->setCheckable(true);
  Play->setText(QStringLiteral("\u25B6"));
  Play->setToolTip(QString::fromUtf8(text::kPlayHint));
  row->addWidget(Play);
  Speed = MakeChild<QComboBox>(this, "Speed");
  for (const int ms : kPlaySpeeds) Speed->addItem(QStringLiteral("%1 s").arg(ms / 1000.0));
  Speed->setCurrentIndex(kDefaultSpeedIndex);
  Speed->setToolTip(QString::fromUtf8(text::kSpeedHint));
  row->addWidget(Speed);
  row->addSpacing(16);
  Output = MakeChild<QLabel>(this, "Output");
  QFont big = Output->font();
  big.setPointSize(big.pointSize() * 2);
  big.setBold(true);
  Output->setFont(big);
  row->addWidget(Output);
  Expected = MakeChild<QLabel>(this, "Expected");
  row->addWidget(Expected);
  row->addStretch(1);
  PlayTimer = new QTimer(this);
  PlayTimer->setObjectName(QStringLiteral("PlayTimer"));
  PlayTimer->setInterval(kPlaySpeeds[kDefaultSpeedIndex]);

  connect(Previous, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
  connect(Next, &QToolButton::clicked, this, [this] { emit Stepped(1); });
  connect(Combination, &QSpinBox::valueChanged, this, [this](int value) {
    if (!showing_) emit CombinationTyped(value);
  });
  connect(Play, &QToolButton::toggled, this, [this](bool on) {
    Play->setText(on ? QStringLiteral("\u25A0") : QStringLiteral("\u25B6"));
    if (on)
      PlayTimer->start();
    else
      PlayTimer->stop();
  });
  connect(Speed, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0 && index < static_cast<int>(std::size(kPlaySpeeds)))
      PlayTimer->setInterval(kPlaySpeeds[index]);
  });
  connect(PlayTimer, &QTimer::timeout, this, [this] { emit Stepped(1); });
}

void LiveCircuitBar::Stop() {
  Play->setChecked(false);
}

QToolButton* LiveCircuitBar::Switch(int d) const {
  return d >= 0 && d < static_cast<int>(switches_.size()) ? switches_[d] : nullptr;
}

void LiveCircuitBar::Show(const LiveCircuit& live, const CircuitState& state) {
  showing_ = true;
  const int n = live.variableCount();
  if (static_cast<int>(switches_.size()) != n) {
    for (QToolButton* b : switches_) delete b;
    switches_.clear();
    auto* switchRow = static_cast<QHBoxLayout*>(switchBox_->layout());
    for (int d = 0; d < n; ++d) {
      const QString name = QStringLiteral("x%1").arg(d);
      auto* b = new QToolButton(switchBox_);
      b->setObjectName(QStringLiteral("Switch_") + name);
      b->setToolTip(QString::fromUtf8(text::kSwitchHint).arg(name));
      b->setCheckable(true);
      connect(b, &QToolButton::clicked, this, [this, d] { emit Toggled(d); });
      switches_.push_back(b);
    }
    shownValues_.assign(n, -1);
    // The most significant variable on the left.
    for (int d = n - 1; d >= 0; --d) switchRow->addWidget(switches_[d]);
  }
  for (int d = 0; d < n; ++d) {
    const bool on = (live.assignment() >> d) & 1;
    // A style sheet is costly to apply: only a switch that changed gets its new one.
    if (shownValues_[d] == static_cast<int>(on)) continue;
    shownValues_[d] = on ? 1 : 0;
    switches_[d]->setChecked(on);
    switches_[d]->setText(QStringLiteral("x%1=%2").arg(d).arg(on ? 1 : 0));
    switches_[d]->setStyleSheet(SwitchStyle(on));
  }
  Combination->setRange(0, live.combinations() - 1);
  Combination->setValue(live.assignment());
  Output->setText(QStringLiteral("F = %1").arg(state.output ? 1 : 0));
  QString expected;
  if (state.Differs())
    expected = QString::fromUtf8(text::kDiffersValue).arg(ExpectedText(state.expected));
  else if (state.expected == ExpectedValue::kDontCare)
    expected = QString::fromUtf8(text::kDontCareValue);
  else
    expected = QString::fromUtf8(text::kFunctionValue).arg(ExpectedText(state.expected));
  Expected->setText(expected);
  Expected->setStyleSheet(state.Differs() ? QStringLiteral("color: #CC0000; font-weight: bold;")
                                          : QString());
  showing_ = false;
}

}  // namespace kestrel::gui
