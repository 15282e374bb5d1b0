#pragma once

#include <engine/expressions/ScriptText.h>
#include <engine/expressions/VariableLookup.h>

// The tree of one expression. Every node knows its depth, so that the parser can refuse a tree too
// deep to evaluate and free by recursion.

class ExpressionNode {
public:
  explicit ExpressionNode(int depth) : depth_(depth) {}
  virtual ~ExpressionNode() = default;
  ExpressionNode(const ExpressionNode&) = delete;
  ExpressionNode& operator=(const ExpressionNode&) = delete;

  // 1 with the value, 0 when the value cannot be had.
  virtual int evaluate(const VariableValueLookup& lookup, int& result) const = 0;
  int depth() const { return depth_; }

private:
  int depth_;
};

class ConstantNode : public ExpressionNode {
public:
  explicit ConstantNode(int number) : ExpressionNode(1), number_(number) {}
  int evaluate(const VariableValueLookup& lookup, int& result) const override;

private:
  int number_;
};

class VariableNode : public ExpressionNode {
public:
  // The name has at most 39 characters.
  explicit VariableNode(const char* name);
  int evaluate(const VariableValueLookup& lookup, int& result) const override;

private:
  char name_[VariableNameSize];
};

class UnaryNode : public ExpressionNode {
public:
  explicit UnaryNode(ExpressionNode* operand) : ExpressionNode(operand->depth() + 1), operand_(operand) {}
  ~UnaryNode() override { delete operand_; }
  int evaluate(const VariableValueLookup& lookup, int& result) const override;
  virtual int apply(int value, int& result) const = 0;

private:
  ExpressionNode* operand_;
};

class NotNode : public UnaryNode {
public:
  using UnaryNode::UnaryNode;
  int apply(int value, int& result) const override;
};

// The binary operators, in the scanner's token numbers.
enum BinaryOperator {
  OpMultiply = 5,
  OpDivide,
  OpAdd,
  OpSubtract,
  OpLess,
  OpLessEqual,
  OpGreater,
  OpGreaterEqual,
  OpEqual,
  OpNotEqual,
  OpBitAnd,
  OpBitXor,
  OpBitOr,
  OpAnd,
  OpOr,
};

class BinaryNode : public ExpressionNode {
public:
  BinaryNode(int op, ExpressionNode* left, ExpressionNode* right);
  ~BinaryNode() override;
  int evaluate(const VariableValueLookup& lookup, int& result) const override;

private:
  int op_;
  ExpressionNode* left_;
  ExpressionNode* right_;
};
