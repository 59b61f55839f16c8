#include "engine/address_choice.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_map>

#include "base/limits.h"
#include "function/function_text.h"

namespace kestrel {

bool HasAddressChoice(Structure structure) {
  switch (structure) {
    case Structure::kMux:
    case Structure::kMuxGates:
    case Structure::kDemux:
    case Structure::kMuxTree:
      return true;
    case Structure::kMuxDemux:
      return false;
  }
  return false;
}

std::string FormatAddressChoice(const AddressChoice& choice) {
  switch (choice.mode) {
    case AddressMode::kAutomatic:
      return text::kAddressAutomatic;
    case AddressMode::kBest:
      return text::kAddressBest;
    case AddressMode::kNamed:
      break;
  }
  std::string out;
  for (size_t l = 0; l < choice.levels.size(); ++l) {
    if (l > 0) out += "/";
    for (size_t i = 0; i < choice.levels[l].size(); ++i) {
      if (i > 0) out += ",";
      out += "x" + std::to_string(choice.levels[l][i]);
    }
  }
  return out;
}

std::optional<AddressChoice> ParseAddressChoice(std::string_view text, std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<AddressChoice> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (text == text::kAddressAutomatic) return AddressChoice{};
  if (text == text::kAddressBest) return AddressChoice{AddressMode::kBest, {}};
  AddressChoice choice{AddressMode::kNamed, {{}}};
  std::string name;
  auto takeName = [&]() {
    if (name.size() != 2 || name[0] != 'x' || !IsDigit(name[1])) return false;
    choice.levels.back().push_back(name[1] - '0');
    name.clear();
    return true;
  };
  for (char c : text) {
    if (c == ',' || c == '/') {
      if (!takeName()) break;
      if (c == '/') choice.levels.emplace_back();
      continue;
    }
    name += c;
  }
  if (!takeName())
    return fail("\"" + std::string(text) +
                "\" is not an address choice: automatic, best, or variable names x0..x9 joined "
                "by \",\" (levels of a tree joined by \"/\"), such as x3,x1/x2");
  return choice;
}

namespace {

// The variables (bit d for x<d>) that the text uses.
unsigned UsedVariables(const std::string& text) {
  unsigned used = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == 'x' && IsDigit(text[i + 1])) used |= 1u << (text[i + 1] - '0');
  return used;
}

std::string Plural(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string CheckAddressChoice(const AddressChoice& choice, Structure structure, int addressInputs,
                               const std::string& functionText) {
  if (choice.mode == AddressMode::kAutomatic) return "";
  if (!HasAddressChoice(structure))
    return std::string("the structure \"") + NamesOf(structure).designCaption +
           "\" has no choice of address variables";
  if (choice.mode == AddressMode::kBest) return "";
  const unsigned used = UsedVariables(functionText);
  const int n = std::popcount(used);
  unsigned named = 0;
  for (const std::vector<int>& level : choice.levels)
    for (int v : level) {
      if (v < 0 || v > 9 || !(used & (1u << v)))
        return "the function has no variable x" + std::to_string(v);
      if (named & (1u << v)) return "x" + std::to_string(v) + " is named twice";
      named |= 1u << v;
    }
  const int first = choice.levels.empty() ? 0 : static_cast<int>(choice.levels[0].size());
  switch (structure) {
    case Structure::kMux:
    case Structure::kMuxGates:
      if (choice.levels.size() != 1)
        return "only a tree has address variables for more than one level";
      if (first != addressInputs)
        return "the multiplexer has " + Plural(addressInputs, "address input", "address inputs") +
               ": name " + Plural(addressInputs, "variable", "variables");
      return "";
    case Structure::kDemux:
      if (choice.levels.size() != 1)
        return "only a tree has address variables for more than one level";
      if (first != n)
        return "the demultiplexer's address inputs take all " + Plural(n, "variable", "variables") +
               " of the function: name them all";
      return "";
    case Structure::kMuxTree:
      if (first != addressInputs)
        return "the output multiplexer has " +
               Plural(addressInputs, "address input", "address inputs") + ": name " +
               Plural(addressInputs, "variable", "variables") + " for the first level";
      for (size_t l = 1; l < choice.levels.size(); ++l)
        if (choice.levels[l].size() > static_cast<size_t>(addressInputs))
          return "no multiplexer of the tree has more than " +
                 Plural(addressInputs, "address input", "address inputs");
      return "";
    case Structure::kMuxDemux:
      break;
  }
  return "";
}

namespace {

// ----------------------------------------------------------------------------------------------
// A model of the builders on bit masks, for the search. A product is its plain and negated
// variables as the term table holds it (a variable both plain and negated reads as negated).

struct Product {
  uint16_t p = 0, n = 0;
  uint16_t Vars() const { return p | n; }
  bool operator==(const Product&) const = default;
};
using Products = std::vector<Product>;

Products ParseProducts(const std::string& text) {
  Products out;
  size_t start = 0;
  while (true) {
    const size_t plus = text.find('+', start);
    const std::string_view piece =
        std::string_view(text).substr(start, plus == std::string::npos ? plus : plus - start);
    Product product;
    ForEachLiteralToken(piece, [&](std::string_view literal, size_t) {
      if (literal.size() < 2) return true;
      const bool negated = literal[0] == '~';
      int d = 0;
      if (ParseSmallNumber(literal.substr(negated ? 2 : 1), &d) && d <= 9)
        (negated ? product.n : product.p) |= static_cast<uint16_t>(1u << d);
      return true;
    });
    product.p &= static_cast<uint16_t>(~product.n);
    out.push_back(product);
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return out;
}

unsigned VarsOf(const Products& products) {
  unsigned vars = 0;
  for (const Product& p : products) vars |= p.Vars();
  return vars;
}

// The term table's order by use: the variables used by the most products first, ties from x9
// down; unused variables are left out.
std::vector<int> OrderByUse(const Products& products) {
  std::vector<int> order;
  for (int v = 9; v >= 0; --v)
    if (VarsOf(products) & (1u << v)) order.push_back(v);
  auto uses = [&](int v) {
    return std::count_if(products.begin(), products.end(),
                         [&](const Product& p) { return (p.Vars() >> v) & 1; });
  };
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return uses(x) > uses(y); });
  return order;
}

enum class ResidueKind { kZero, kOne, kLiteral, kNetwork };

struct Residue {
  ResidueKind kind = ResidueKind::kZero;
  Product literal;    ///< kLiteral
  Products products;  ///< kNetwork, in the order of the residue's text
  int Variables() const { return std::popcount(VarsOf(products)); }
};

// The residues of a multiplexer with the address variables given (most significant first), as
// the preparation (split, sort by address, absorb) and the residue texts produce them.
std::vector<Residue> Split(const Products& products, const std::vector<int>& address) {
  const int a = static_cast<int>(address.size());
  Products rows = products;
  for (int c = 0; c < a; ++c) {
    const uint16_t bit = static_cast<uint16_t>(1u << address[c]);
    const size_t count = rows.size();
    for (size_t r = 0; r < count; ++r) {
      if (rows[r].Vars() & bit) continue;
      Product copy = rows[r];
      copy.p |= bit;
      rows.push_back(copy);
      rows[r].n |= bit;
    }
  }
  uint16_t mask = 0;
  for (int v : address) mask |= static_cast<uint16_t>(1u << v);
  std::vector<std::vector<Product>> byAddress(size_t{1} << a);
  for (const Product& row : rows) {
    int value = 0;
    for (int c = 0; c < a; ++c) value |= ((row.p >> address[c]) & 1) << (a - 1 - c);
    byAddress[value].push_back(
        {static_cast<uint16_t>(row.p & ~mask), static_cast<uint16_t>(row.n & ~mask)});
  }
  std::vector<Residue> residues(byAddress.size());
  for (size_t v = 0; v < byAddress.size(); ++v) {
    const std::vector<Product>& group = byAddress[v];
    Residue& residue = residues[v];
    // A product whose literals include another's goes; of equal ones the earlier stays.
    auto within = [](const Product& x, const Product& y) {
      return (x.p & ~y.p) == 0 && (x.n & ~y.n) == 0;
    };
    for (size_t j = 0; j < group.size(); ++j) {
      bool absorbed = false;
      for (size_t i = 0; i < group.size() && !absorbed; ++i)
        absorbed = i != j && within(group[i], group[j]) && (!(group[i] == group[j]) || i < j);
      if (!absorbed) residue.products.push_back(group[j]);
    }
    if (residue.products.empty()) {
      residue.kind = ResidueKind::kZero;
      continue;
    }
    unsigned plainLiterals = 0, negatedLiterals = 0;
    bool empty = false;
    for (const Product& p : residue.products) {
      empty = empty || p.Vars() == 0;
      if (std::popcount(static_cast<unsigned>(p.Vars())) == 1)
        (p.p ? plainLiterals : negatedLiterals) |= p.Vars();
    }
    if (empty || (plainLiterals & negatedLiterals)) {
      residue.kind = ResidueKind::kOne;
      residue.products.clear();
    } else if (residue.products.size() == 1 &&
               std::popcount(static_cast<unsigned>(residue.products[0].Vars())) == 1) {
      residue.kind = ResidueKind::kLiteral;
      residue.literal = residue.products[0];
      residue.products.clear();
    } else {
      residue.kind = ResidueKind::kNetwork;
    }
  }
  return residues;
}

// One inverter per distinct negated literal among the residues shown as labels.
int NegatedLabels(const std::vector<Residue>& residues) {
  unsigned negated = 0;
  for (const Residue& r : residues)
    if (r.kind == ResidueKind::kLiteral) negated |= r.literal.n;
  return std::popcount(negated);
}

struct Cost {
  int components = 0, gateInputs = 0;
  bool operator<(const Cost& o) const {
    return components != o.components ? components < o.components : gateInputs < o.gateInputs;
  }
};

std::string KeyOf(const Products& products, int a, bool ordered) {
  Products sorted = products;
  if (!ordered) {
    std::sort(sorted.begin(), sorted.end(), [](const Product& x, const Product& y) {
      return x.p != y.p ? x.p < y.p : x.n < y.n;
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  }
  std::string key(1, static_cast<char>(a));
  for (const Product& p : sorted) {
    key += static_cast<char>(p.p & 0xFF);
    key += static_cast<char>(p.p >> 8);
    key += static_cast<char>(p.n & 0xFF);
    key += static_cast<char>(p.n >> 8);
  }
  return key;
}

// Calls fn(address) for every set of a of the variables in order (each in that order), the
// first set being the first a of them; stops when fn returns false.
template <typename Fn>
void ForEachSubset(const std::vector<int>& order, int a, Fn&& fn) {
  const int count = static_cast<int>(order.size());
  if (a > count || a < 1) return;
  std::vector<int> pick(a);
  for (int i = 0; i < a; ++i) pick[i] = i;
  while (true) {
    std::vector<int> address(a);
    for (int i = 0; i < a; ++i) address[i] = order[pick[i]];
    if (!fn(address)) return;
    int i = a - 1;
    while (i >= 0 && pick[i] == count - a + i) --i;
    if (i < 0) return;
    ++pick[i];
    for (int j = i + 1; j < a; ++j) pick[j] = pick[j - 1] + 1;
  }
}

// The gate network of a residue (Products in the order of its text), as the gate builder makes
// it with gates of kMaxFanIn inputs.
class GateModel {
 public:
  explicit GateModel(GateFamily family) : family_(family) {}

  struct Network {
    Cost cost;
    bool negatedOutput = false;
  };

  Network Of(const Products& products) {
    const std::string key = KeyOf(products, 0, true);
    if (auto it = memo_.find(key); it != memo_.end()) return it->second;
    Network net;
    const int count = static_cast<int>(products.size());
    if (count == 1) {
      // One product: an AND-type gate of its literals (a NAND followed by an inverter in the
      // NAND family).
      net.cost = {1, std::popcount(static_cast<unsigned>(products[0].Vars()))};
      net.negatedOutput = family_ == GateFamily::kNand;
    } else {
      // An OR-type gate; product k goes to input k mod kMaxFanIn. In the NAND family every
      // input fed by a gate is negated.
      const int inputs = std::min(count, kMaxFanIn);
      net.cost = {1, inputs};
      net.negatedOutput = family_ == GateFamily::kNor;
      for (int slot = 0; slot < inputs; ++slot) {
        Products part;
        for (int k = slot; k < count; k += kMaxFanIn) part.push_back(products[k]);
        if (part.size() == 1 && std::popcount(static_cast<unsigned>(part[0].Vars())) == 1) continue;
        const Network child = Of(part);
        net.cost.components += child.cost.components;
        net.cost.gateInputs += child.cost.gateInputs;
        if (child.negatedOutput != (family_ == GateFamily::kNand)) {
          ++net.cost.components;
          ++net.cost.gateInputs;
        }
      }
    }
    memo_.emplace(key, net);
    return net;
  }

  /// The network feeding a multiplexer input, with the inverter its output may need.
  Cost Feeding(const Products& products) {
    const Network net = Of(products);
    Cost cost = net.cost;
    if (net.negatedOutput) {
      ++cost.components;
      ++cost.gateInputs;
    }
    return cost;
  }

 private:
  GateFamily family_;
  std::unordered_map<std::string, Network> memo_;
};

struct Choice {
  Cost cost;
  std::vector<int> address;
  bool realizable = true;
};

// The best choice of every multiplexer of a tree, by residue: a subtree's cost depends only on
// its residue's products and its number of address inputs.
class TreeSearch {
 public:
  const Choice& Best(const Products& products, int a) {
    const std::string key = KeyOf(products, a, false);
    if (auto it = memo_.find(key); it != memo_.end()) return it->second;
    Choice best;
    bool any = false;
    ForEachSubset(OrderByUse(products), a, [&](const std::vector<int>& address) {
      const std::vector<Residue> residues = Split(products, address);
      Cost cost{1, 0};
      const int inverters = NegatedLabels(residues);
      cost.components += inverters;
      cost.gateInputs += inverters;
      for (const Residue& r : residues) {
        if (r.kind != ResidueKind::kNetwork) continue;
        const Choice& child = Best(r.products, std::clamp(r.Variables() - 1, 1, a));
        cost.components += child.cost.components;
        cost.gateInputs += child.cost.gateInputs;
      }
      if (!any || cost < best.cost) best = {cost, address, true};
      any = true;
      return true;
    });
    return memo_.emplace(key, best).first->second;
  }

  /// The choice found for a node, if the search reached it.
  const Choice* Find(const Products& products, int a) const {
    const auto it = memo_.find(KeyOf(products, a, false));
    return it == memo_.end() ? nullptr : &it->second;
  }

 private:
  std::unordered_map<std::string, Choice> memo_;
};

// The output multiplexer alone chooses (the single multiplexer, or the multiplexer with gates).
Choice BestTop(const Products& products, int a, bool gates, GateFamily family) {
  Choice best;
  best.realizable = false;
  bool any = false;
  GateModel model(family);
  auto consider = [&](const std::vector<int>& address, const std::vector<Residue>& residues) {
    Cost cost{1, 0};
    const int inverters = NegatedLabels(residues);
    cost.components += inverters;
    cost.gateInputs += inverters;
    for (const Residue& r : residues) {
      if (r.kind != ResidueKind::kNetwork) continue;
      if (!gates) return;  // a single multiplexer cannot take it
      const Cost net = model.Feeding(r.products);
      cost.components += net.components;
      cost.gateInputs += net.gateInputs;
    }
    if (!any || cost < best.cost) best = {cost, address, true};
    any = true;
  };
  ForEachSubset(OrderByUse(products), a, [&](std::vector<int> address) {
    const std::vector<Residue> residues = Split(products, address);
    consider(address, residues);
    // Only a gate with more products than inputs depends on the products' order, which follows
    // the order of the address variables: then every order of the set is tried.
    const bool orderMatters =
        gates && std::any_of(residues.begin(), residues.end(), [](const Residue& r) {
          return r.products.size() > static_cast<size_t>(kMaxFanIn);
        });
    if (!orderMatters) return true;
    std::vector<int> rank(address.size());
    for (size_t i = 0; i < rank.size(); ++i) rank[i] = static_cast<int>(i);
    const std::vector<int> set = address;
    while (std::next_permutation(rank.begin(), rank.end())) {
      for (size_t i = 0; i < rank.size(); ++i) address[i] = set[rank[i]];
      consider(address, Split(products, address));
    }
    return true;
  });
  return best;
}

class NamedPlan : public AddressPlan {
 public:
  NamedPlan(Structure structure, std::vector<std::vector<int>> levels)
      : structure_(structure), levels_(std::move(levels)) {}
  std::vector<int> Choose(const std::string& text, int level, int a) const override {
    if (level < 0 || level >= static_cast<int>(levels_.size())) return {};
    if (structure_ != Structure::kMuxTree) return level == 0 ? levels_[0] : std::vector<int>{};
    // A multiplexer of the tree takes the variables of its level's list that its residue uses.
    const unsigned used = VarsOf(ParseProducts(text));
    std::vector<int> chosen;
    for (int v : levels_[level])
      if ((used & (1u << v)) && static_cast<int>(chosen.size()) < a) chosen.push_back(v);
    return chosen;
  }

 private:
  Structure structure_;
  std::vector<std::vector<int>> levels_;
};

class TopPlan : public AddressPlan {
 public:
  explicit TopPlan(std::vector<int> top) : top_(std::move(top)) {}
  std::vector<int> Choose(const std::string&, int level, int) const override {
    return level == 0 ? top_ : std::vector<int>{};
  }

 private:
  std::vector<int> top_;
};

class TreePlan : public AddressPlan {
 public:
  explicit TreePlan(std::shared_ptr<TreeSearch> search) : search_(std::move(search)) {}
  std::vector<int> Choose(const std::string& text, int, int a) const override {
    const Choice* choice = search_->Find(ParseProducts(text), a);
    return choice ? choice->address : std::vector<int>{};
  }

 private:
  std::shared_ptr<TreeSearch> search_;
};

}  // namespace

BestAddress SearchBestAddress(Structure structure, const std::string& functionText, int a,
                              GateFamily family) {
  BestAddress out;
  const Products products = ParseProducts(functionText);
  Choice choice;
  switch (structure) {
    case Structure::kMux:
    case Structure::kMuxGates:
      choice = BestTop(products, a, structure == Structure::kMuxGates, family);
      break;
    case Structure::kMuxTree: {
      TreeSearch search;
      choice = search.Best(products, a);
      break;
    }
    case Structure::kDemux:
    case Structure::kMuxDemux:
      // Every order of a demultiplexer's address inputs costs the same: the automatic one stays.
      out.top = OrderByUse(products);
      return out;
  }
  out.components = choice.cost.components;
  out.gateInputs = choice.cost.gateInputs;
  out.top = choice.address;
  out.realizable = choice.realizable;
  return out;
}

std::unique_ptr<AddressPlan> PlanAddress(const AddressChoice& choice, Structure structure,
                                         const std::string& functionText, int a,
                                         GateFamily family) {
  if (!HasAddressChoice(structure)) return nullptr;
  switch (choice.mode) {
    case AddressMode::kAutomatic:
      return nullptr;
    case AddressMode::kNamed:
      return std::make_unique<NamedPlan>(structure, choice.levels);
    case AddressMode::kBest:
      break;
  }
  const Products products = ParseProducts(functionText);
  switch (structure) {
    case Structure::kMux:
    case Structure::kMuxGates: {
      const Choice best = BestTop(products, a, structure == Structure::kMuxGates, family);
      // No choice makes a single multiplexer do: the automatic one is refused as before.
      if (!best.realizable) return nullptr;
      return std::make_unique<TopPlan>(best.address);
    }
    case Structure::kMuxTree: {
      auto search = std::make_shared<TreeSearch>();
      search->Best(products, a);
      return std::make_unique<TreePlan>(std::move(search));
    }
    case Structure::kDemux:
    case Structure::kMuxDemux:
      return nullptr;
  }
  return nullptr;
}

}  // namespace kestrel
