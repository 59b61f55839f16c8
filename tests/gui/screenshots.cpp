// Takes pictures of every window and of each structure's result at zoom 17 and 30, for a look
// at the program as a student sees it. Usage: kestrel_gui_screenshots <folder>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <cstdio>

#include "export/picture_export.h"
#include "gui/function/function_window.h"
#include "gui/shell/about_box.h"
#include "gui/shell/diagram_view.h"
#include "gui/shell/progress_window.h"
#include "gui/structure/structure_dialog.h"
#include "gui/tools/cover_window.h"
#include "gui_fixture.h"

using namespace kestrel;
using namespace kestrel::gui;

namespace {

QString folder;

void Save(QWidget* w, const QString& name) {
  QApplication::processEvents();
  w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

/// The diagram on show, drawn whole as the export draws it.
void SaveDiagram(testing::Fixture& f, const QString& name) {
  RenderImage(f.main().Image1->diagram(), PictureContent::kDiagram, {})
      .save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void Type(QDialog& d, const char* box, const QString& text, const char* button) {
  d.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
  d.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kestrel_gui_screenshots <folder>\n");
    return 2;
  }
  folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  testing::Fixture f;
  Save(&f.main(), QStringLiteral("form1_start"));
  f.main().resize(640, 520);

  f.scripts.emplace_back([](QDialog& d) {
    for (const char* n : {"1", "3", "5", "7", "12", "14"}) Type(d, "Edit1", n, "Add1");
    d.findChild<QRadioButton*>(QStringLiteral("RadioDontCares"))->setChecked(true);
    for (const char* n : {"9", "11"}) Type(d, "Edit1", n, "Add1");
    Save(&d, QStringLiteral("form3_canonical"));
    d.findChild<QPushButton*>(QStringLiteral("ButtonLBOK"))->click();
  });
  f.main().NewCanonicalRepresentation->trigger();
  f.scripts.emplace_back([](QDialog& d) {
    d.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("x9~x7x3~x0 + x4~x7"));
    Save(&d, QStringLiteral("form3_literal"));
  });
  f.messages.answers.push_back(Answer::No);
  f.main().NewLiteralRepresentation->trigger();

  // A function of four variables, which every structure can realize.
  f.scripts.emplace_back([](QDialog& d) {
    Type(d, "Edit2", QStringLiteral("x3x2~x1+~x3x2x0+x3x1x0+~x3~x2~x0"), "ButtonEditOK");
  });
  f.messages.answers.push_back(Answer::No);
  f.main().NewLiteralRepresentation->trigger();

  struct Structure {
    const char* name;
    std::function<void(StructureDialog&)> choose;
  };
  const std::vector<Structure> structures = {
      {"mux",
       [](StructureDialog& s) {
         s.PageControl1->setCurrentIndex(0);
         s.RadioItem(s.RadioMuxSize, 2)->click();
       }},
      {"mux_gates",
       [](StructureDialog& s) {
         s.PageControl1->setCurrentIndex(0);
         s.RadioItem(s.RadioMuxSize, 1)->click();
         if (!s.CheckBoxGates->isChecked()) s.CheckBoxGates->click();
         s.RadioItem(s.RadioGates, 2)->click();
       }},
      {"demux",
       [](StructureDialog& s) {
         s.PageControl1->setCurrentIndex(1);
         s.RadioItem(s.RadioDmux, 3)->click();
       }},
      {"mux_tree",
       [](StructureDialog& s) {
         s.PageControl1->setCurrentIndex(2);
         s.RadioItem(s.RadioMuxMT, 1)->click();
       }},
      {"mux_demux",
       [](StructureDialog& s) {
         s.PageControl1->setCurrentIndex(3);
         s.RadioMDMux8b->setFocus();
         s.RadioMDMux8b->click();
       }},
  };
  for (const Structure& st : structures) {
    f.scripts.emplace_back([&](QDialog& d) {
      auto& s = static_cast<StructureDialog&>(d);
      st.choose(s);
      Save(&d, QStringLiteral("form2_%1").arg(QLatin1String(st.name)));
      s.ButtonOK->click();
    });
    f.main().Realization->trigger();
    Save(&f.main(), QStringLiteral("result_%1_z17").arg(QLatin1String(st.name)));
    SaveDiagram(f, QStringLiteral("picture_%1_z17").arg(QLatin1String(st.name)));
    for (int i = 0; i < 7; ++i) f.main().ButtonZoomIn->click();
    Save(&f.main(), QStringLiteral("result_%1_z30").arg(QLatin1String(st.name)));
    SaveDiagram(f, QStringLiteral("picture_%1_z30").arg(QLatin1String(st.name)));
  }

  // The Tools windows, for a function whose greedy cover is not minimal, realized as a tree.
  FunctionDefinition& def = f.session().definition;
  def.OpenCanonical();
  def.ClearAll();
  for (const char* n : {"1", "3", "4", "7", "8", "9", "12", "13", "15"})
    def.Add(n, ListKind::kOnes);
  def.Ok();
  f.main().ShowSessionState();
  f.scripts.emplace_back([&](QDialog& d) {
    structures[3].choose(static_cast<StructureDialog&>(d));
    static_cast<StructureDialog&>(d).ButtonOK->click();
  });
  f.main().Realization->trigger();
  f.scripts.emplace_back([](QDialog& d) { Save(&d, QStringLiteral("tools_compare")); });
  f.main().CompareStructures->trigger();
  f.scripts.emplace_back([](QDialog& d) {
    d.findChild<QRadioButton*>(QStringLiteral("RadioNamed"))->click();
    d.findChild<QLineEdit*>(QStringLiteral("Names"))->setText(QStringLiteral("x0,x9"));
    d.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    Save(&d, QStringLiteral("tools_address"));
  });
  f.main().AddressInputs->trigger();
  f.scripts.emplace_back([](QDialog& d) {
    auto& w = static_cast<CoverWindow&>(d);
    while (w.busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    Save(&d, QStringLiteral("tools_cover"));
  });
  f.main().MinimumCover->trigger();

  f.scripts.emplace_back([](QDialog& d) { Save(&d, QStringLiteral("form6_about")); });
  f.main().About1->trigger();

  ProgressWindow* p = f.program->Form7;
  p->ShowCentred();
  p->ProgressBar1->setMaximum(100);
  p->ProgressBar1->setValue(40);
  p->LabelMinTime->setText(QStringLiteral("Minimization time: 3s"));
  Save(p, QStringLiteral("form7_progress"));
  p->hide();

  ManualHelp help;
  help.OpenContents();
  Save(help.browser(), QStringLiteral("help"));
  std::printf("pictures in %s\n", qPrintable(folder));
  return 0;
}
