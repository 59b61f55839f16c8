// kestrel-cli render: every format by the output's extension, the zoom range, diagram and
// project, usage errors and failures with their exit codes, no file left after a failure.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "tests/export/export_test_support.h"

namespace kestrel {
namespace {

using testing::ProgramRun;
using testing::ReadAll;
using testing::Scratch;

ProgramRun Cli(const QStringList& args) {
  return testing::RunProgram(KESTREL_CLI_PATH, args);
}

QStringList Mux(const std::string& out) {
  return {"render", "--function", "x2x1+~x2~x0+x3",           "--structure", "mux", "--mux-size",
          "4",      "-o",         QString::fromStdString(out)};
}

TEST(CliRender, EachExtensionWritesItsFormat) {
  Scratch scratch;
  const std::pair<const char*, QByteArray> formats[] = {
      {"d.svg", "<?xml"}, {"d.png", "\x89PNG"},
      {"d.pdf", "%PDF-"}, {"d.wmf", "\xD7\xCD\xC6\x9A"},
      {"d.bmp", "BM"},    {"d.jpg", "\xFF\xD8\xFF"}};
  for (const auto& [name, magic] : formats) {
    const ProgramRun run = Cli(Mux(scratch.File(name)));
    EXPECT_EQ(run.exitCode, 0) << name << run.err.toStdString();
    EXPECT_TRUE(ReadAll(scratch.File(name)).startsWith(magic)) << name;
    EXPECT_TRUE(run.out.contains("zoom 17")) << run.out.toStdString();
  }
}

TEST(CliRender, AJsonFileGetsTheDisplayList) {
  Scratch scratch;
  const ProgramRun run = Cli(Mux(scratch.File("d.json")) << "--zoom"
                                                         << "10");
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.toStdString(),
            "Wrote the display list of the diagram at zoom 10 to " + scratch.File("d.json") + "\n");
  const QByteArray json = ReadAll(scratch.File("d.json"));
  // A single multiplexer of 4 inputs at zoom 10: 150 x 120, its box a polygon, texts with
  // their size and inked box.
  EXPECT_TRUE(json.startsWith(R"({"height":120,"items":[)")) << json.left(80).toStdString();
  EXPECT_TRUE(json.contains(
      R"({"filled":false,"points":[[90,30],[119,30],[119,79],[90,79]],"type":"polygon"})"));
  EXPECT_TRUE(json.contains(R"({"points":[[90,70],[80,70]],"type":"line"})"));
  EXPECT_TRUE(json.contains(R"("size":7,"text":" 3","type":"text","x":92,"y":65})"));
  EXPECT_TRUE(json.endsWith("\"width\":150}\n"));
  const ProgramRun project = Cli(Mux(scratch.File("p.json")) << "--what"
                                                             << "project");
  EXPECT_EQ(project.exitCode, 2);
  EXPECT_TRUE(project.err.contains("display list (.json) holds the diagram alone"));
}

TEST(CliRender, ZoomScalesThePicture) {
  Scratch scratch;
  ASSERT_EQ(Cli(Mux(scratch.File("z10.png")) << "--zoom"
                                             << "10")
                .exitCode,
            0);
  ASSERT_EQ(Cli(Mux(scratch.File("z30.png")) << "--zoom"
                                             << "30")
                .exitCode,
            0);
  const QImage small(QString::fromStdString(scratch.File("z10.png")));
  const QImage large(QString::fromStdString(scratch.File("z30.png")));
  // A single multiplexer of 4 inputs: (9 + 5 + 1)z wide and (3 + 5 + 4)z high.
  EXPECT_EQ(small.size(), QSize(150, 120));
  EXPECT_EQ(large.size(), QSize(450, 360));
}

TEST(CliRender, ProjectPictureHasTheTextBlockAboveTheDiagram) {
  Scratch scratch;
  ASSERT_EQ(Cli(Mux(scratch.File("d.png"))).exitCode, 0);
  ASSERT_EQ(Cli(Mux(scratch.File("p.png")) << "--what"
                                           << "project")
                .exitCode,
            0);
  const QImage diagram(QString::fromStdString(scratch.File("d.png")));
  const QImage project(QString::fromStdString(scratch.File("p.png")));
  EXPECT_GT(project.height(), diagram.height() + 50);
  EXPECT_GE(project.width(), diagram.width());
}

TEST(CliRender, AProjectFileIsOpenedRealizedAndRendered) {
  Scratch scratch;
  const QString kep = QString::fromStdString(scratch.File("tree.kep"));
  ASSERT_EQ(Cli({"save", kep, "--function", "x3x2x1+~x3~x2~x1", "--structure", "mux-tree",
                 "--mux-size", "2"})
                .exitCode,
            0);
  ASSERT_EQ(
      Cli({"render", "--function", "x3x2x1+~x3~x2~x1", "--structure", "mux-tree", "--mux-size", "2",
           "--what", "project", "-o", QString::fromStdString(scratch.File("direct.png"))})
          .exitCode,
      0);
  const ProgramRun run = Cli({"render", "--project", kep, "--what", "project", "-o",
                              QString::fromStdString(scratch.File("opened.png"))});
  ASSERT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
  // The same picture as realizing the same choice directly, text block included.
  EXPECT_EQ(QImage(QString::fromStdString(scratch.File("opened.png"))),
            QImage(QString::fromStdString(scratch.File("direct.png"))));
  EXPECT_EQ(Cli({"render", "--project", kep, "--structure", "mux", "-o",
                 QString::fromStdString(scratch.File("x.png"))})
                .exitCode,
            2);
  const ProgramRun missing =
      Cli({"render", "--project", QString::fromStdString(scratch.File("none.kep")), "-o",
           QString::fromStdString(scratch.File("y.png"))});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("y.png"))));
}

TEST(CliRender, UsageErrors) {
  Scratch scratch;
  const ProgramRun txt = Cli(Mux(scratch.File("d.txt")));
  EXPECT_EQ(txt.exitCode, 2);
  EXPECT_TRUE(txt.err.contains(".svg, .png, .pdf, .wmf, .bmp or .jpg")) << txt.err.toStdString();
  EXPECT_EQ(Cli(Mux(scratch.File("d.png")) << "--zoom"
                                           << "31")
                .exitCode,
            2);
  EXPECT_EQ(Cli(Mux(scratch.File("d.png")) << "--zoom"
                                           << "9")
                .exitCode,
            2);
  EXPECT_EQ(Cli(Mux(scratch.File("d.png")) << "--what"
                                           << "both")
                .exitCode,
            2);
  EXPECT_EQ(Cli({"render", "--function", "x1", "--structure", "mux"}).exitCode, 2);  // no -o
  EXPECT_TRUE(scratch.Entries().isEmpty());
}

// The live circuit's state in every picture format: the picture keeps its size and differs from
// the plain one, which --assign leaves untouched; a bad combination writes nothing.
TEST(CliRender, AssignDrawsTheStateIntoEveryFormat) {
  Scratch scratch;
  for (const char* ext : {".svg", ".png", ".pdf", ".wmf", ".bmp", ".jpg"}) {
    const std::string plain = scratch.File(std::string("plain") + ext);
    const std::string live = scratch.File(std::string("live") + ext);
    ASSERT_EQ(Cli(Mux(plain)).exitCode, 0) << ext;
    const ProgramRun run = Cli(Mux(live) << "--assign"
                                         << "x3=1,x1=1");
    ASSERT_EQ(run.exitCode, 0) << ext << run.err.toStdString();
    EXPECT_NE(ReadAll(plain), ReadAll(live)) << ext;
  }
  const QImage plain(QString::fromStdString(scratch.File("plain.png")));
  const QImage live(QString::fromStdString(scratch.File("live.png")));
  EXPECT_EQ(live.size(), plain.size());
  // A line carrying 1 is drawn in its colour somewhere.
  bool one = false;
  for (int y = 0; y < live.height() && !one; ++y)
    for (int x = 0; x < live.width() && !one; ++x) one = live.pixel(x, y) == 0xFFD55E00;
  EXPECT_TRUE(one);

  const ProgramRun outside = Cli(Mux(scratch.File("bad.png")) << "--assign"
                                                              << "16");
  EXPECT_EQ(outside.exitCode, 2);
  EXPECT_TRUE(
      outside.err.endsWith("kestrel-cli: --assign: the combination 16 is outside 0..15 "
                           "(the function has 4 variables)\n"))
      << outside.err.toStdString();
  const ProgramRun netlist = Cli(Mux(scratch.File("bad.v")) << "--assign"
                                                            << "1");
  EXPECT_EQ(netlist.exitCode, 2);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("bad.png"))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("bad.v"))));
}

// --smooth draws antialiased pictures; without it the picture is the exact drawing.
TEST(CliRender, SmoothDrawsAntialiasedPictures) {
  Scratch scratch;
  const ProgramRun smooth = Cli(Mux(scratch.File("s.png")) << "--smooth");
  EXPECT_EQ(smooth.exitCode, 0) << smooth.err.toStdString();
  EXPECT_TRUE(smooth.out.startsWith("Wrote smooth PNG picture of the diagram at zoom 17"))
      << smooth.out.toStdString();
  const ProgramRun exact = Cli(Mux(scratch.File("e.png")));
  EXPECT_TRUE(exact.out.startsWith("Wrote PNG picture of the diagram at zoom 17"))
      << exact.out.toStdString();
  const QImage s(QString::fromStdString(scratch.File("s.png")));
  const QImage e(QString::fromStdString(scratch.File("e.png")));
  EXPECT_EQ(s.size(), e.size());
  EXPECT_NE(s, e);
  const ProgramRun netlist = Cli(Mux(scratch.File("n.v")) << "--smooth");
  EXPECT_EQ(netlist.exitCode, 2);
  EXPECT_TRUE(netlist.err.contains("--smooth draws a picture")) << netlist.err.toStdString();
  EXPECT_EQ(Cli(Mux(scratch.File("x.png")) << "--smooth=maybe").exitCode, 2);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("n.v"))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("x.png"))));
}

// --style clear lays the diagram out for reading and says so in the display list; the default
// list names no style. A style other than exact or clear, or a style for a netlist, is a usage
// error.
TEST(CliRender, StyleClearLaysOutForReading) {
  Scratch scratch;
  const ProgramRun clear = Cli(Mux(scratch.File("c.json")) << "--style"
                                                           << "clear");
  ASSERT_EQ(clear.exitCode, 0) << clear.err.toStdString();
  const QByteArray json = ReadAll(scratch.File("c.json"));
  EXPECT_TRUE(json.contains(R"(,"style":"clear",)")) << json.left(200).toStdString();
  const ProgramRun exact = Cli(Mux(scratch.File("e.json")) << "--style"
                                                           << "exact");
  ASSERT_EQ(exact.exitCode, 0) << exact.err.toStdString();
  EXPECT_FALSE(ReadAll(scratch.File("e.json")).contains("\"style\""));
  EXPECT_EQ(ReadAll(scratch.File("e.json")), [&] {
    Cli(Mux(scratch.File("d.json")));
    return ReadAll(scratch.File("d.json"));
  }());
  EXPECT_NE(json, ReadAll(scratch.File("e.json")));
  const ProgramRun png = Cli(Mux(scratch.File("c.png")) << "--style=clear");
  EXPECT_EQ(png.exitCode, 0) << png.err.toStdString();
  EXPECT_FALSE(QImage(QString::fromStdString(scratch.File("c.png"))).isNull());

  const ProgramRun bad = Cli(Mux(scratch.File("b.png")) << "--style"
                                                        << "pretty");
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("--style must be exact or clear, not \"pretty\""))
      << bad.err.toStdString();
  const ProgramRun netlist = Cli(Mux(scratch.File("n.v")) << "--style"
                                                          << "clear");
  EXPECT_EQ(netlist.exitCode, 2);
  EXPECT_TRUE(netlist.err.contains("--style lays out a picture")) << netlist.err.toStdString();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("b.png"))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("n.v"))));
}

TEST(CliRender, NothingRealizedWritesNothing) {
  Scratch scratch;
  // A 3-variable function on a 4-output demultiplexer is refused.
  const ProgramRun run =
      Cli({"render", "--function", "x2x1+x0", "--structure", "demux", "--demux-size", "4", "-o",
           QString::fromStdString(scratch.File("d.png"))});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.contains("Realization impossible!")) << run.out.toStdString();
  EXPECT_TRUE(run.err.contains("nothing was realized")) << run.err.toStdString();
  EXPECT_TRUE(scratch.Entries().isEmpty());
}

TEST(CliRender, AFailedWriteIsReportedAndLeavesNoFile) {
  Scratch scratch;
  const ProgramRun run = Cli(Mux(scratch.File("missing/d.png")));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("was not written")) << run.err.toStdString();
  EXPECT_TRUE(scratch.Entries().isEmpty());
}

}  // namespace
}  // namespace kestrel
