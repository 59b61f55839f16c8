// The realization command and what the result display, the zoom buttons and printing decide:
// the structure dialog's OK, Realize with its captions, the zoom steps with the buttons'
// states, and the choices of the print command.

#include <algorithm>

#include "engine/realize.h"
#include "function/function_text.h"
#include "function/texts.h"
#include "session/session.h"
#include "session/session_texts.h"

namespace kestrel {

void Session::UseFunctionText(const std::string& text) {
  model.functionText = text;
  model.minimumCover.reset();
  model.representationFlag = 2;
  model.functionModified = 1;
  SetCommandState(CommandState::kFunctionDefined);
  if (text == "0" || text == "1") SetCommandState(CommandState::kNothingToRealize);
  FunctionReplaced();
}

std::string Session::FunctionHeading() const {
  // A function replaced by its minimum cover says so, and whether that cover is proven minimal.
  if (const FunctionModel::MinimumCoverNote* note = model.CoverNote())
    return note->proven ? text::kFunctionMinimumCover : text::kFunctionBestFoundCover;
  return definition.minimizeChecked ? text::kFunctionAfterMinimization : text::kFunctionHeading;
}

bool Session::ConfirmStructure() {
  if (!choice.Ok(model.functionText, messages)) return false;
  AcceptStructure();
  return true;
}

void Session::AcceptStructure() {
  zoom = kDefaultZoom;
  project.projectModified = 1;
}

RealizeResult Session::RealizeCurrent() {
  RealizeResult result =
      Realize(model.functionText, choice, table, results, messages, *this, AddressForRealization());
  if (result.outcome == RealizeOutcome::kRealized) {
    designCaption = result.designCaption;
    additionalCaption.clear();
  }
  return result;
}

RealizeResult Session::RealizationAccepted() {
  if (!commands.Enabled(CommandItem::Realization)) return {};
  return RealizeCurrent();
}

void Session::SetZoom(int value) {
  zoom = std::clamp(value, kMinZoom, kMaxZoom);
}

void Session::ZoomTo(int value) {
  zoom = std::clamp(value, kMinZoom, kMaxZoom);
  commands.SetEnabled(CommandItem::ButtonZoomIn, zoom < kMaxZoom);
  commands.SetEnabled(CommandItem::ButtonZoomOut, zoom > kMinZoom + 1);
}

void Session::ZoomIn() {
  zoom = std::min(kMaxZoom, zoom + kZoomStep);
  if (zoom < kMaxZoom) {
    commands.SetEnabled(CommandItem::ButtonZoomOut, zoom > kMinZoom + 1);
  } else {
    commands.SetEnabled(CommandItem::ButtonZoomIn, false);
    commands.SetEnabled(CommandItem::ButtonZoomOut, true);
  }
}

void Session::ZoomOut() {
  zoom = std::max(kMinZoom, zoom - kZoomStep);
  if (zoom > kMinZoom + 1) {
    commands.SetEnabled(CommandItem::ButtonZoomIn, zoom < kMaxZoom);
  } else {
    commands.SetEnabled(CommandItem::ButtonZoomIn, true);
    commands.SetEnabled(CommandItem::ButtonZoomOut, false);
  }
}

Session::PrintChoices Session::PrintChoicesNow() const {
  PrintChoices out;
  switch (choice.Current()) {
    case Structure::kMuxGates:
    case Structure::kMuxTree:
      out.crowdingNote = IsLevelCrowded(results);
      break;
    case Structure::kMux:
    case Structure::kDemux:
      out.halveScale = true;
      break;
    case Structure::kMuxDemux:
      break;
  }
  return out;
}

void Session::ShowPrintNote() {
  if (PrintChoicesNow().crowdingNote)
    messages.Show(sessiontext::kCrowdedPrint, text::kCaptionInformation, Buttons::Ok, Icon::None);
}

}  // namespace kestrel
