#include "SelectionFilter.h"

#include <cmath>

#include "base/TextCase.h"
#include "Wildcard.h"

namespace uv {

FilterError::FilterError(const std::wstring& message) : std::runtime_error(toUtf8(message)) {}

struct SelectionFilter::Node {
  enum class Kind { kAnd, kOr, kXor, kNot, kTest } kind = Kind::kAnd;
  std::vector<std::unique_ptr<Node>> children;
  FilterItem test;
  std::wstring relation;  // empty: equality (wildcards for texts)
};

namespace {

using Node = SelectionFilter::Node;
using Kind = Node::Kind;

const wchar_t* operatorName(Kind k) {
  switch (k) {
    case Kind::kAnd: return L"AND";
    case Kind::kOr: return L"OR";
    case Kind::kXor: return L"XOR";
    case Kind::kNot: return L"NOT";
    default: return L"";
  }
}

bool isRelation(const std::wstring& op) {
  for (const wchar_t* r : {L"*", L"=", L"!=", L"/=", L"<>", L"<", L"<=", L">", L">=", L"&", L"&="})
    if (op == r) return true;
  return false;
}

bool isTextCode(int code) { return code == 0 || code == 2 || code == 5 || code == 6 || code == 8; }
bool isNumberCode(int code) { return code == 62 || code == 66; }

class Compiler {
 public:
  explicit Compiler(const std::vector<FilterItem>& items) : m_items(items) {}

  std::unique_ptr<Node> run() {
    auto root = std::make_unique<Node>();
    root->kind = Kind::kAnd;
    size_t i = 0;
    fill(*root, i, nullptr);
    return root;
  }

 private:
  // Reads items into parent until the closing operator of `open` (or the end).
  void fill(Node& parent, size_t& i, const wchar_t* open) {
    std::wstring pendingRelation;
    while (i < m_items.size()) {
      const FilterItem& item = m_items[i++];
      if (item.code != -4) {
        auto leaf = std::make_unique<Node>();
        leaf->kind = Kind::kTest;
        leaf->test = item;
        leaf->relation = pendingRelation;
        check(*leaf, i);
        pendingRelation.clear();
        parent.children.push_back(std::move(leaf));
        continue;
      }
      const auto* op = std::get_if<std::wstring>(&item.value);
      if (!op) throw FilterError(L"item " + std::to_wstring(i) + L": a -4 item needs an operator text");
      std::wstring upper;
      for (wchar_t c : *op) upper += upperCase(c);
      if (!pendingRelation.empty())
        throw FilterError(L"item " + std::to_wstring(i) + L": \"" + pendingRelation + L"\" is not followed by a value");
      if (isRelation(upper)) {
        pendingRelation = upper;
        continue;
      }
      if (upper.size() > 1 && upper.front() == L'<') {
        auto child = std::make_unique<Node>();
        std::wstring name = upper.substr(1);
        if (name == L"AND") child->kind = Kind::kAnd;
        else if (name == L"OR") child->kind = Kind::kOr;
        else if (name == L"XOR") child->kind = Kind::kXor;
        else if (name == L"NOT") child->kind = Kind::kNot;
        else throw FilterError(L"item " + std::to_wstring(i) + L": unknown operator \"" + *op + L"\"");
        size_t at = i;
        fill(*child, i, operatorName(child->kind));
        if (child->kind == Kind::kNot && child->children.size() != 1)
          throw FilterError(L"item " + std::to_wstring(at) + L": <NOT takes exactly one operand");
        if (child->kind == Kind::kXor && child->children.size() != 2)
          throw FilterError(L"item " + std::to_wstring(at) + L": <XOR takes exactly two operands");
        parent.children.push_back(std::move(child));
        continue;
      }
      if (upper.size() > 1 && upper.back() == L'>') {
        std::wstring name = upper.substr(0, upper.size() - 1);
        if (!open || name != open)
          throw FilterError(L"item " + std::to_wstring(i) + L": \"" + *op + L"\" closes " +
                            (open ? std::wstring(L"<") + open : std::wstring(L"nothing")));
        return;
      }
      throw FilterError(L"item " + std::to_wstring(i) + L": unknown operator \"" + *op + L"\"");
    }
    if (!pendingRelation.empty()) throw FilterError(L"the filter ends after the operator \"" + pendingRelation + L"\"");
    if (open) throw FilterError(std::wstring(L"<") + open + L" is not closed");
  }

  static void check(const Node& leaf, size_t i) {
    const FilterItem& t = leaf.test;
    bool text = std::holds_alternative<std::wstring>(t.value);
    bool number = std::holds_alternative<long long>(t.value) || std::holds_alternative<double>(t.value);
    if (isTextCode(t.code) && !text)
      throw FilterError(L"item " + std::to_wstring(i) + L": group " + std::to_wstring(t.code) + L" needs a text");
    if (isNumberCode(t.code) && !number)
      throw FilterError(L"item " + std::to_wstring(i) + L": group " + std::to_wstring(t.code) + L" needs a number");
    const std::wstring& r = leaf.relation;
    if (text && !(r.empty() || r == L"=" || r == L"*" || r == L"!=" || r == L"/=" || r == L"<>"))
      throw FilterError(L"item " + std::to_wstring(i) + L": \"" + r + L"\" does not compare texts");
  }

  const std::vector<FilterItem>& m_items;
};

double asNumber(const FilterItem& item) {
  if (auto v = std::get_if<long long>(&item.value)) return double(*v);
  return std::get<double>(item.value);
}

bool compareNumbers(double actual, double wanted, const std::wstring& r) {
  if (r.empty() || r == L"=") return actual == wanted;
  if (r == L"*") return true;
  if (r == L"!=" || r == L"/=" || r == L"<>") return actual != wanted;
  if (r == L"<") return actual < wanted;
  if (r == L"<=") return actual <= wanted;
  if (r == L">") return actual > wanted;
  if (r == L">=") return actual >= wanted;
  long long a = (long long)actual, w = (long long)wanted;
  if (r == L"&") return (a & w) != 0;
  if (r == L"&=") return (a & w) == w;
  return false;
}

bool test(const Node& leaf, const EntityFacts& e) {
  const FilterItem& t = leaf.test;
  if (isNumberCode(t.code)) {
    double actual = t.code == 62 ? e.colour : e.entitiesFollow;
    return compareNumbers(actual, asNumber(t), leaf.relation);
  }
  const std::wstring* actual = nullptr;
  switch (t.code) {
    case 0: actual = &e.dxfName; break;
    case 2: actual = &e.blockName; break;
    case 5: actual = &e.handle; break;
    case 6: actual = &e.linetype; break;
    case 8: actual = &e.layer; break;
    default: return false;  // a group the filter does not know: no entity has it
  }
  if (t.code == 2 && e.dxfName != L"INSERT") return false;
  if (leaf.relation == L"*") return true;
  bool hit = matchWildcard(*actual, std::get<std::wstring>(t.value), true);
  bool negated = leaf.relation == L"!=" || leaf.relation == L"/=" || leaf.relation == L"<>";
  return hit != negated;
}

bool evaluate(const Node& n, const EntityFacts& e) {
  switch (n.kind) {
    case Kind::kTest: return test(n, e);
    case Kind::kAnd:
      for (const auto& c : n.children)
        if (!evaluate(*c, e)) return false;
      return true;
    case Kind::kOr:
      for (const auto& c : n.children)
        if (evaluate(*c, e)) return true;
      return false;
    case Kind::kXor: return evaluate(*n.children[0], e) != evaluate(*n.children[1], e);
    case Kind::kNot: return !evaluate(*n.children[0], e);
  }
  return false;
}

}  // namespace

SelectionFilter::SelectionFilter() : m_root(std::make_unique<Node>()) {}
SelectionFilter::~SelectionFilter() = default;
SelectionFilter::SelectionFilter(SelectionFilter&&) noexcept = default;
SelectionFilter& SelectionFilter::operator=(SelectionFilter&&) noexcept = default;

SelectionFilter SelectionFilter::compile(const std::vector<FilterItem>& items) {
  SelectionFilter f;
  f.m_root = Compiler(items).run();
  return f;
}

bool SelectionFilter::matches(const EntityFacts& entity) const { return evaluate(*m_root, entity); }

}  // namespace uv
