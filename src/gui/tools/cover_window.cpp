#include "gui/tools/cover_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/limits.h"
#include "gui/gui_texts.h"
#include "gui/shell/window_util.h"
#include "session/session.h"

namespace kestrel::gui {

namespace {

QString Counted(int count, const char* one, const char* many) {
  return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? one : many));
}

// "191 products, 1520 literals".
QString Size(int products, int literals) {
  return Counted(products, text::kProduct, text::kProducts) + QStringLiteral(", ") +
         Counted(literals, text::kLiteral, text::kLiterals);
}

// A function text with blanks around its "+", so that a long one wraps between products.
QString Spaced(const std::string& function) {
  return QString::fromStdString(function).replace(QLatin1Char('+'), QStringLiteral(" + "));
}

QPlainTextEdit* MakeText(QWidget* parent, const char* name) {
  auto* box = MakeChild<QPlainTextEdit>(parent, name);
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setWordWrapMode(QTextOption::WordWrap);
  return box;
}

}  // namespace

CoverWindow::CoverWindow(Session& session, QWidget* parent)
    : ToolDialog(parent), session_(session) {
  setObjectName(QStringLiteral("CoverWindow"));
  setWindowTitle(QString::fromLatin1(text::kCoverTitle));
  auto* layout = new QVBoxLayout(this);
  Status = MakeChild<QLabel>(this, "Status");
  layout->addWidget(Status);
  Busy = MakeChild<QProgressBar>(this, "Busy");
  Busy->setRange(0, 0);
  Busy->setTextVisible(false);
  Busy->hide();
  layout->addWidget(Busy);
  Counts = MakeChild<QLabel>(this, "Counts");
  QFont large = Counts->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.25);
  Counts->setFont(large);
  Counts->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(Counts);
  Proof = MakeChild<QLabel>(this, "Proof");
  QFont bold = Proof->font();
  bold.setBold(true);
  Proof->setFont(bold);
  layout->addWidget(Proof);
  Core = MakeChild<QLabel>(this, "Core");
  Core->setWordWrap(true);
  layout->addWidget(Core);

  auto* texts = new QGridLayout;
  texts->addWidget(new QLabel(QString::fromLatin1(text::kCoverGreedyCaption), this), 0, 0);
  texts->addWidget(new QLabel(QString::fromLatin1(text::kCoverMinimumCaption), this), 0, 1);
  GreedyText = MakeText(this, "GreedyText");
  MinimumText = MakeText(this, "MinimumText");
  texts->addWidget(GreedyText, 1, 0);
  texts->addWidget(MinimumText, 1, 1);
  layout->addLayout(texts, 1);

  Reason = MakeChild<QLabel>(this, "Reason");
  Reason->setWordWrap(true);
  layout->addWidget(Reason);
  KeptNote = MakeChild<QLabel>(this, "KeptNote", QString::fromLatin1(text::kCoverKept));
  KeptNote->setWordWrap(true);
  QFont italic = KeptNote->font();
  italic.setItalic(true);
  KeptNote->setFont(italic);
  layout->addWidget(KeptNote);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ButtonUse = MakeChild<QPushButton>(this, "ButtonUse", QString::fromLatin1(text::kCoverUse));
  ButtonUse->setEnabled(false);
  ButtonClose = MakeChild<QPushButton>(this, "ButtonClose", QString::fromLatin1(text::kClose));
  ButtonClose->setDefault(true);
  buttons->addWidget(ButtonUse);
  buttons->addWidget(ButtonClose);
  layout->addLayout(buttons);
  connect(ButtonUse, &QPushButton::clicked, this, &CoverWindow::ButtonUseClick);
  connect(ButtonClose, &QPushButton::clicked, this, &CoverWindow::reject);
  resize(760, 420);
}

CoverWindow::~CoverWindow() {
  // Closed before the solver was done (the window only lets that happen when it is destroyed
  // with its owner): wait for it; the thread's results go nowhere.
  if (worker_) {
    worker_->disconnect(this);
    worker_->wait();
    delete worker_;
  }
}

void CoverWindow::Start() {
  if (worker_) return;
  covers_.reset();
  if (!session_.HasCoverSolver() || !session_.CanCompareCovers()) {
    Reason->setText(
        QString::fromLatin1(session_.HasCoverSolver() ? text::kCoverCannot : text::kCoverNoSolver));
    ShowUseState();
    return;
  }
  Status->setText(
      QString::fromLatin1(text::kCoverRunning).arg(static_cast<int>(kDefaultCoverSeconds)));
  Busy->show();
  ButtonClose->setEnabled(false);
  ButtonUse->setEnabled(false);
  // The solver runs beside the event loop; nothing else can change the function meanwhile
  // (this window is modal and cannot be closed until it is done).
  worker_ = QThread::create([this] { covers_ = session_.CompareCoversNow(kDefaultCoverSeconds); });
  connect(worker_, &QThread::finished, this, [this] {
    worker_->deleteLater();
    worker_ = nullptr;
    Busy->hide();
    ButtonClose->setEnabled(true);
    ShowCovers();
    emit Compared();
  });
  worker_->start();
}

void CoverWindow::reject() {
  if (worker_) return;  // the solver finishes within its time limit
  ToolDialog::reject();
}

void CoverWindow::ShowCovers() {
  Status->hide();
  if (!covers_ || covers_->constant) {
    Reason->setText(QString::fromLatin1(covers_ ? text::kCoverConstant : text::kCoverCannot));
    ShowUseState();
    return;
  }
  const CoverComparison& c = *covers_;
  Counts->setText(QString::fromUtf8(text::kCoverCounts)
                      .arg(Size(c.greedyProducts, c.greedyLiterals),
                           Size(c.minimum.products, c.minimum.literals)));
  Proof->setText(
      QString::fromLatin1(c.minimum.proven ? text::kCoverProven : text::kCoverNotProven));
  Core->setText(c.minimum.coreRows == 0 ? QString::fromLatin1(text::kCoverNoCore)
                                        : QString::fromLatin1(text::kCoverCore)
                                              .arg(c.minimum.coreRows)
                                              .arg(c.minimum.coreColumns));
  GreedyText->setPlainText(Spaced(c.greedyText));
  MinimumText->setPlainText(Spaced(c.minimumText));
  ShowUseState();
}

void CoverWindow::ShowUseState() {
  const bool compared = covers_ && !covers_->constant && !covers_->minimumText.empty();
  const char* reason = nullptr;
  if (compared && covers_->minimumText == session_.model.functionText)
    reason = session_.model.CoverNote() ? text::kCoverInUse : text::kCoverSame;
  ButtonUse->setEnabled(compared && reason == nullptr);
  if (reason) Reason->setText(QString::fromLatin1(reason));
  if (compared && !reason) Reason->clear();
}

void CoverWindow::ButtonUseClick() {
  if (!covers_ || busy()) return;
  session_.UseMinimumCover(*covers_);
  if (onUsed) onUsed();
  ShowUseState();
}

}  // namespace kestrel::gui
