#include <engine/expressions/ExpressionNodes.h>

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

// Arithmetic wraps around in 32-bit two's complement, as the engine's numbers always have.
int wrap(std::uint32_t value) { return static_cast<int>(value); }

int arithmetic(int op, int a, int b) {
  std::uint32_t ua = static_cast<std::uint32_t>(a), ub = static_cast<std::uint32_t>(b);
  switch (op) {
  case OpMultiply:
    return wrap(ua * ub);
  case OpAdd:
    return wrap(ua + ub);
  case OpSubtract:
    return wrap(ua - ub);
  case OpLess:
    return a < b;
  case OpLessEqual:
    return a <= b;
  case OpGreater:
    return a > b;
  case OpGreaterEqual:
    return a >= b;
  case OpEqual:
    return a == b;
  case OpNotEqual:
    return a != b;
  case OpBitAnd:
    return a & b;
  case OpBitXor:
    return a ^ b;
  case OpBitOr:
    return a | b;
  case OpAnd:
    return a && b;
  case OpOr:
    return a || b;
  }
  return 0;
}

} // namespace

int ConstantNode::evaluate(const VariableValueLookup&, int& result) const {
  result = number_;
  return 1;
}

VariableNode::VariableNode(const char* name) : ExpressionNode(1) {
  std::strncpy(name_, name, VariableNameSize - 1);
  name_[VariableNameSize - 1] = 0;
}

int VariableNode::evaluate(const VariableValueLookup& lookup, int& result) const {
  return lookup.value(name_, result);
}

int UnaryNode::evaluate(const VariableValueLookup& lookup, int& result) const {
  int value;
  if (!operand_->evaluate(lookup, value))
    return 0;
  return apply(value, result);
}

int NotNode::apply(int value, int& result) const {
  result = value == 0;
  return 1;
}

BinaryNode::BinaryNode(int op, ExpressionNode* left, ExpressionNode* right)
    : ExpressionNode((left->depth() > right->depth() ? left->depth() : right->depth()) + 1), op_(op),
      left_(left), right_(right) {}

BinaryNode::~BinaryNode() {
  delete left_;
  delete right_;
}

// The left value alone decides "&&" on 0, "||" on nonzero and "/" on 0; the right operand is then
// never evaluated, so it may name a variable that does not exist.
int BinaryNode::evaluate(const VariableValueLookup& lookup, int& result) const {
  int left;
  if (!left_->evaluate(lookup, left))
    return 0;
  if ((op_ == OpAnd || op_ == OpDivide) && left == 0) {
    result = 0;
    return 1;
  }
  if (op_ == OpOr && left != 0) {
    result = 1;
    return 1;
  }
  int right;
  if (!right_->evaluate(lookup, right))
    return 0;
  if (op_ != OpDivide) {
    result = arithmetic(op_, left, right);
    return 1;
  }
  if (right == 0)
    return 0;
  result = left == INT_MIN && right == -1 ? INT_MIN : left / right;
  return 1;
}
