#pragma once
// The program's fixed limits, each named once: how large a function, a circuit and a drawing
// may be. Entry, files, engine and drawing all check against these names.

namespace kestrel {

/// Variables of a function: x0..x9.
inline constexpr int kMaxVariables = 10;
/// Input combinations of a function of kMaxVariables variables (numbers 0..1023).
inline constexpr int kCombinations = 1 << kMaxVariables;
/// Ones plus Don't cares of one function; the minimizer's cover positions are counted in these.
inline constexpr int kMaxTerms = 1024;
/// Multiplexers and gates of one realized circuit (the node list).
inline constexpr int kMaxNodes = 1024;
/// Collecting gates of the multiplexer-and-demultiplexer structure.
inline constexpr int kMaxCollectingGates = 16;
/// Data inputs of one multiplexer, outputs of one demultiplexer.
inline constexpr int kMaxDataInputs = 16;
/// Address (select) inputs of one multiplexer or demultiplexer.
inline constexpr int kMaxAddressInputs = 4;
/// Inputs of one gate of a gate network.
inline constexpr int kMaxFanIn = 16;

/// Rows of one table an HTML report writes before it says how many more there are (the JSON of
/// the explanation lists them all).
inline constexpr int kReportRowsPerTable = 256;
/// Combination numbers one cell of an HTML report lists before it gives their count.
inline constexpr int kReportNumbersPerCell = 32;

/// Zoom of the diagram: pixels per grid unit.
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 30;
inline constexpr int kDefaultZoom = 17;
/// One press of a zoom button.
inline constexpr int kZoomStep = 2;
/// The desktop program's list of recently used files (functions and projects).
inline constexpr int kMaxRecentFiles = 8;

/// Time limit of the minimum cover's search in seconds: the default and the largest accepted.
inline constexpr double kDefaultCoverSeconds = 10.0;
inline constexpr double kMaxCoverSeconds = 3600.0;

}  // namespace kestrel
