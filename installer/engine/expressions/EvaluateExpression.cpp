// How this works
//
// The scanner turns the text into tokens numbered as the script language numbers them (numbers, names,
// parentheses, fifteen binary operators, "!", the end, and anything else). The parser is the classic
// operator-precedence parser with two stacks: after each primary it pushes the primary and the
// operator behind it, then reduces while the operator below is at least as binding as the new one
// (every operator groups from the left). A parenthesis parses a nested expression ended by ")", and
// "!" wraps the one primary behind it. Because reduction keeps at most one operand per priority level
// on a level's stacks, each level needs only a small fixed stack.
//
// Nesting is bounded: the nested parses and "!" chains count against ExpressionNestingLimit, and so
// does the depth of every tree node built, since a chain such as 1+1+...+1 builds a tree as deep as it
// is long and evaluation and freeing recurse over the tree. Going past the limit is a syntax error.
//
// Every node is freed in every case: the tree after evaluation, and whatever lies on the stacks when
// a syntax error stops the parse.

#include <engine/expressions/EvaluateExpression.h>

#include <engine/expressions/ExpressionNodes.h>

#include <cstdint>
#include <cstring>
#include <new>

namespace {

enum Token {
  TokNumber = 0,
  TokName = 1,
  TokEnd = 2,
  TokOpen = 3,
  TokClose = 4,
  TokNot = 20,
  TokOther = 21,
};

struct OperatorText {
  const char* text;
  int token;
  int priority;
};

// Longer spellings before their prefixes.
const OperatorText operators[] = {
    {"<=", OpLessEqual, 7}, {">=", OpGreaterEqual, 7}, {"==", OpEqual, 6},   {"!=", OpNotEqual, 6},
    {"&&", OpAnd, 2},       {"||", OpOr, 1},           {"*", OpMultiply, 9}, {"/", OpDivide, 9},
    {"+", OpAdd, 8},        {"-", OpSubtract, 8},      {"<", OpLess, 7},     {">", OpGreater, 7},
    {"&", OpBitAnd, 5},     {"^", OpBitXor, 4},        {"|", OpBitOr, 3},
};

int priority(int token) {
  for (const OperatorText& op : operators)
    if (op.token == token)
      return op.priority;
  return 0;
}

int isBinary(int token) { return token >= OpMultiply && token <= OpOr; }

class Scanner {
public:
  explicit Scanner(const char* text) : at_(text) { next(); }

  int token() const { return token_; }
  int number() const { return number_; }
  const char* name() const { return name_; }

  void next() {
    while (IsScriptSpace(*at_))
      ++at_;
    if (!*at_) {
      token_ = TokEnd;
      return;
    }
    if (IsScriptDigit(*at_))
      return scanNumber();
    if (StartsScriptName(*at_))
      return scanName();
    for (const OperatorText& op : operators) {
      size_t length = std::strlen(op.text);
      if (std::strncmp(at_, op.text, length) == 0) {
        at_ += length;
        token_ = op.token;
        return;
      }
    }
    char c = *at_++;
    token_ = c == '(' ? TokOpen : c == ')' ? TokClose : c == '!' ? TokNot : TokOther;
  }

private:
  void scanNumber() {
    std::uint32_t value = 0;
    while (IsScriptDigit(*at_))
      value = value * 10 + static_cast<std::uint32_t>(*at_++ - '0');
    number_ = static_cast<int>(value);
    token_ = TokNumber;
  }

  // A name too long for a variable is no token of the language.
  void scanName() {
    const char* start = at_;
    while (ContinuesScriptName(*at_))
      ++at_;
    size_t length = static_cast<size_t>(at_ - start);
    if (length >= VariableNameSize) {
      token_ = TokOther;
      return;
    }
    std::memcpy(name_, start, length);
    name_[length] = 0;
    token_ = TokName;
  }

  const char* at_;
  int token_ = TokEnd;
  int number_ = 0;
  char name_[VariableNameSize] = {};
};

class Parser {
public:
  explicit Parser(const char* text) : scanner_(text) {}

  ExpressionNode* parse() { return expression(TokEnd, 0); }

private:
  // Operands of one level, each with the operator token behind it.
  class Stacks {
  public:
    ~Stacks() {
      for (int i = 0; i < count_; ++i)
        delete operands_[i];
    }
    int push(ExpressionNode* operand, int op) {
      if (count_ == Size) {
        delete operand;
        return 0;
      }
      operands_[count_] = operand;
      operators_[count_++] = op;
      return 1;
    }
    // Reduces while the operator below the newest binds at least as tightly; 0 when memory or the
    // nesting limit fails a reduction.
    int reduce(int end) {
      while (count_ >= 2) {
        int below = operators_[count_ - 2];
        int newest = operators_[count_ - 1];
        if (newest != end && priority(below) < priority(newest))
          return 1;
        ExpressionNode* left = operands_[count_ - 2];
        ExpressionNode* right = operands_[count_ - 1];
        if (left->depth() >= ExpressionNestingLimit || right->depth() >= ExpressionNestingLimit)
          return 0;
        ExpressionNode* node = new (std::nothrow) BinaryNode(below, left, right);
        if (!node)
          return 0;
        --count_;
        operands_[count_ - 1] = node;
        operators_[count_ - 1] = newest;
      }
      return 1;
    }
    ExpressionNode* take() {
      --count_;
      return operands_[count_];
    }

  private:
    static constexpr int Size = 40;
    ExpressionNode* operands_[Size];
    int operators_[Size];
    int count_ = 0;
  };

  ExpressionNode* expression(int end, int nesting) {
    Stacks stacks;
    for (;;) {
      ExpressionNode* operand = primary(nesting);
      if (!operand)
        return nullptr;
      int op = scanner_.token();
      if (!isBinary(op) && op != end) {
        delete operand;
        return nullptr;
      }
      if (!stacks.push(operand, op))
        return nullptr;
      scanner_.next();
      if (!stacks.reduce(end))
        return nullptr;
      if (op == end)
        return stacks.take();
    }
  }

  ExpressionNode* primary(int nesting) {
    if (nesting >= ExpressionNestingLimit)
      return nullptr;
    int token = scanner_.token();
    if (token == TokNumber) {
      int number = scanner_.number();
      scanner_.next();
      return new (std::nothrow) ConstantNode(number);
    }
    if (token == TokName) {
      ExpressionNode* node = new (std::nothrow) VariableNode(scanner_.name());
      scanner_.next();
      return node;
    }
    if (token == TokOpen) {
      scanner_.next();
      return expression(TokClose, nesting + 1);
    }
    if (token == TokNot) {
      scanner_.next();
      ExpressionNode* operand = primary(nesting + 1);
      if (!operand)
        return nullptr;
      ExpressionNode* node = new (std::nothrow) NotNode(operand);
      if (!node)
        delete operand;
      return node;
    }
    return nullptr;
  }

  Scanner scanner_;
};

} // namespace

int EvaluateExpression(const VariableValueLookup& lookup, const char* text, int& result) {
  SetExpressionError(ExpressionOk);
  ExpressionNode* tree = Parser(text ? text : "").parse();
  if (!tree) {
    SetExpressionError(ExpressionSyntax);
    return 0;
  }
  int value;
  int ok = tree->evaluate(lookup, value);
  delete tree;
  if (!ok) {
    SetExpressionError(UnknownVariable);
    return 0;
  }
  result = value;
  return 1;
}
