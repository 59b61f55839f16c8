#pragma once
// The realization results that the engine hands to the diagram: the node list (multiplexers and
// gates of a tree), the demultiplexer record, and the multiplexer-and-demultiplexer records with
// their collecting-gate table. The diagram reads them from the ResultStore; the engine only
// fills them through the store's operations, which enforce the limits.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/limits.h"

namespace kestrel {

/// What a node of the node list is. The numbers are the ones the command line's JSON shows.
enum class NodeKind { kMux = 0, kAnd = 1, kOr = 2, kNand = 3, kNor = 4 };

/// What a node is, in words: "multiplexer", "AND gate", ...
constexpr const char* NodeKindName(NodeKind kind) {
  switch (kind) {
    case NodeKind::kMux:
      return "multiplexer";
    case NodeKind::kAnd:
      return "AND gate";
    case NodeKind::kOr:
      return "OR gate";
    case NodeKind::kNand:
      return "NAND gate";
    case NodeKind::kNor:
      return "NOR gate";
  }
  return "gate";
}

struct NodeRecord {
  int level = 0;  ///< tree column: 0 for the node that produces the function
  int order = 0;  ///< position within its column (set by the drawing)
  int id = 0;     ///< 1-based position in the node list
  int addressCount = 0;
  int inputCount = 0;
  std::array<std::string, 4> addressLabels;
  std::array<int, 16> childId{};       ///< id of the node feeding each input, 0 for a label
  std::array<int, 16> inputNegated{};  ///< 1: the input is negated
  int outputNegated = 0;               ///< 1: an inverter follows the output
  std::array<std::string, 16> inputLabels;
  int x = 0, y = 0;  ///< top-left corner (set by the drawing)
  NodeKind kind = NodeKind::kMux;
};

struct DemuxRecord {
  int polarity = 0;  ///< 1: the function is 1 exactly at the flagged outputs; 0: 0 there
  int addressCount = 0;
  int outputCount = 0;
  std::array<std::string, 4> addressLabels;
  std::array<uint8_t, 16> outputFlags{};
};

struct MuxDemuxRecord {
  int addressCount = 0;
  int inputCount = 0;
  std::array<int, 16> gateIndex{};  ///< 1-based collecting gate feeding each input, 0: label
  std::array<std::string, 16> inputLabels;
  std::array<std::string, 4> addressLabels;
};

struct DemuxPart {
  int addressCount = 0;
  int outputCount = 0;
  std::array<std::string, 4> addressLabels;
};

struct CollectingGate {
  int polarity = 0;
  std::array<uint8_t, 16> outputFlags{};
};

class ResultStore {
 public:
  // --- Node list ---
  void ResetNodes() {
    nodes_.clear();
    nodeOverflow_ = false;
  }
  /// Stores the record with id := the new count and returns it; 0 (and nothing stored) when the
  /// list is full.
  int AppendNode(NodeRecord node) {
    if (static_cast<int>(nodes_.size()) >= kMaxNodes) {
      nodeOverflow_ = true;
      return 0;
    }
    node.id = static_cast<int>(nodes_.size()) + 1;
    nodes_.push_back(std::move(node));
    return nodes_.back().id;
  }
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  const std::vector<NodeRecord>& nodes() const { return nodes_; }
  std::vector<NodeRecord>& mutableNodes() { return nodes_; }
  bool nodeOverflow() const { return nodeOverflow_; }

  // --- Demultiplexer ---
  void SetDemux(const DemuxRecord& record) {
    demux_ = record;
    hasDemux_ = true;
  }
  const DemuxRecord& demux() const { return demux_; }
  bool hasDemux() const { return hasDemux_; }

  // --- Multiplexer and demultiplexer ---
  void SetMuxDemux(const MuxDemuxRecord& record) { muxDemux_ = record; }
  void SetDemuxPart(const DemuxPart& part) { demuxPart_ = part; }
  MuxDemuxRecord& muxDemux() { return muxDemux_; }
  const MuxDemuxRecord& muxDemux() const { return muxDemux_; }
  const DemuxPart& demuxPart() const { return demuxPart_; }
  void ResetCollectingGates() {
    gates_.clear();
    gateOverflow_ = false;
  }
  /// Appends a copy of the current demultiplexer record's polarity and flags; returns the new
  /// count, or 0 (nothing stored) when the table is full.
  int AppendCollectingGate() {
    if (static_cast<int>(gates_.size()) >= kMaxCollectingGates) {
      gateOverflow_ = true;
      return 0;
    }
    gates_.push_back({demux_.polarity, demux_.outputFlags});
    return static_cast<int>(gates_.size());
  }
  int CollectingGateCount() const { return static_cast<int>(gates_.size()); }
  /// Entry number index (1-based).
  const CollectingGate& collectingGate(int index) const { return gates_.at(index - 1); }
  const std::vector<CollectingGate>& collectingGates() const { return gates_; }
  bool gateOverflow() const { return gateOverflow_; }

 private:
  std::vector<NodeRecord> nodes_;
  bool nodeOverflow_ = false;
  DemuxRecord demux_;
  bool hasDemux_ = false;
  MuxDemuxRecord muxDemux_;
  DemuxPart demuxPart_;
  std::vector<CollectingGate> gates_;
  bool gateOverflow_ = false;
};

}  // namespace kestrel
