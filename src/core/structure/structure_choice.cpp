#include "structure/structure_choice.h"

#include "function/function_text.h"

namespace kestrel {

namespace {
int SelectedIndex(const bool on[4]) {
  for (int i = 3; i >= 0; --i)
    if (on[i]) return i;
  return -1;
}
void SelectOne(bool on[4], int index) {
  if (index < 0 || index > 3) return;
  for (int i = 0; i < 4; ++i) on[i] = i == index;
}
}  // namespace

int StructureChoice::MdMuxIndex() const {
  return SelectedIndex(mdMuxOn);
}
int StructureChoice::MdDmuxIndex() const {
  return SelectedIndex(mdDmuxOn);
}
void StructureChoice::SelectMdMux(int index) {
  SelectOne(mdMuxOn, index);
}
void StructureChoice::SelectMdDmux(int index) {
  SelectOne(mdDmuxOn, index);
}

void StructureChoice::ClearMdSizes() {
  for (int i = 0; i < 4; ++i) mdMuxOn[i] = mdDmuxOn[i] = false;
}

bool StructureChoice::MdPairFits(int n) const {
  const int m = MdMuxIndex() + 1, d = MdDmuxIndex() + 1;
  return m > 0 && d > 0 && m + d == n;
}

void StructureChoice::ClearUnfittingMdPair(int n) {
  if (!MdPairFits(n)) ClearMdSizes();
}

std::string SizesDoNotFitText(int n) {
  return text::kSizesDoNotFitHead + std::to_string(n) + text::kSizesDoNotFitTail;
}

void StructureChoice::OnShow(const std::string& functionText) {
  saved_ = {radioMuxSize, radioDmux, radioMuxMT,   radioGates,
            tab,          useGates,  MdMuxIndex(), MdDmuxIndex()};
  radioGatesEnabled = useGates;
  if (tab == StructureTab::kMuxDemux) ApplyPairingRule(CountVariables(functionText));
}

void StructureChoice::SelectTab(StructureTab newTab, const std::string& functionText) {
  tab = newTab;
  if (tab == StructureTab::kMuxDemux) ApplyPairingRule(CountVariables(functionText));
}

void StructureChoice::ApplyPairingRule(int n) {
  if (n == 0 || n > 8) {
    for (int i = 0; i < 4; ++i) {
      mdMuxEnabled[i] = mdDmuxEnabled[i] = false;
      mdMuxOn[i] = mdDmuxOn[i] = false;
    }
    return;
  }
  for (int k = 1; k <= 4; ++k) {
    const bool enabled = !(n - k > 4 || n - k <= 0);
    mdMuxEnabled[k - 1] = mdDmuxEnabled[k - 1] = enabled;
  }
}

void StructureChoice::SetUseGates(bool on) {
  useGates = on;
  radioGatesEnabled = on;
}

void StructureChoice::ClickMdMux(int index, const std::string& functionText) {
  SelectMdMux(index);
  if (enteredGroup != 1) return;
  const int k = MdMuxIndex() + 1;
  const int n = CountVariables(functionText);
  if (n == 0) return;
  if (n - k > 0) SelectMdDmux(n - k - 1);
}

void StructureChoice::ClickMdDmux(int index, const std::string& functionText) {
  SelectMdDmux(index);
  if (enteredGroup != 2) return;
  const int k = MdDmuxIndex() + 1;
  const int n = CountVariables(functionText);
  if (n == 0) return;
  if (n - k > 0) SelectMdMux(n - k - 1);
}

bool StructureChoice::Ok(const std::string& functionText, MessageSink& messages) {
  if (tab == StructureTab::kMuxDemux) {
    const int n = CountVariables(functionText);
    if (n == 0 || n == 1 || n > 8) {
      messages.Show(text::kMuxDemuxImpossible, text::kCaptionInformationBang, Buttons::Ok,
                    Icon::Information);
      return false;
    }
    if (MdMuxIndex() == -1 && MdDmuxIndex() == -1) {
      messages.Show(text::kSelectSizes, text::kCaptionWarningBang, Buttons::Ok, Icon::Warning);
      return false;
    }
    if (!MdPairFits(n)) {
      messages.Show(SizesDoNotFitText(n), text::kCaptionWarningBang, Buttons::Ok, Icon::Warning);
      return false;
    }
  }
  return true;
}

int SizeIndexOf(int size) {
  return size == 2 ? 0 : size == 4 ? 1 : size == 8 ? 2 : 3;
}

void StructureChoice::Apply(const StructureOptions& o) {
  switch (o.structure) {
    case Structure::kMux:
    case Structure::kMuxGates:
      if (o.muxSize) radioMuxSize = radioMuxMT = SizeIndexOf(*o.muxSize);
      tab = StructureTab::kMux;
      SetUseGates(o.structure == Structure::kMuxGates);
      radioGates = o.gates;
      break;
    case Structure::kDemux:
      tab = StructureTab::kDemux;
      if (o.demuxSize) radioDmux = SizeIndexOf(*o.demuxSize);
      break;
    case Structure::kMuxTree:
      if (o.muxSize) radioMuxSize = radioMuxMT = SizeIndexOf(*o.muxSize);
      tab = StructureTab::kMuxTree;
      break;
    case Structure::kMuxDemux:
      tab = StructureTab::kMuxDemux;
      ClearMdSizes();
      if (o.muxSize) SelectMdMux(SizeIndexOf(*o.muxSize));
      if (o.demuxSize) SelectMdDmux(SizeIndexOf(*o.demuxSize));
      break;
  }
}

void StructureChoice::Cancel() {
  radioMuxSize = saved_.radioMuxSize;
  SetUseGates(saved_.useGates);
  radioGates = saved_.radioGates;
  tab = saved_.tab;
  radioDmux = saved_.radioDmux;
  radioMuxMT = saved_.radioMuxMT;
  SelectMdMux(saved_.mdMux);
  SelectMdDmux(saved_.mdDmux);
}

}  // namespace kestrel
