#pragma once

#include <string>
#include <vector>

// The input mask of an in-place editor.
//
// A mask is a row of positions. Each of the nine mask characters "09#L?Aa&C" is a position that takes
// one typed character of its kind; any other character is a literal that stands in the text as it is,
// and a backslash makes the character after it a literal (the backslash itself takes no position).
// The text limit is the number of positions. Reformatting rebuilds a text along the positions, so a
// text that already fits the mask comes back unchanged.
class CGridMask {
public:
  // An empty mask switches masking off.
  void Set(const std::string& mask);
  bool Active() const { return !m_positions.empty(); }
  int Positions() const { return static_cast<int>(m_positions.size()); }
  bool IsLiteral(int pos) const { return m_positions[static_cast<size_t>(pos)].literal; }
  char At(int pos) const { return m_positions[static_cast<size_t>(pos)].ch; }
  // Whether the mask character takes the typed character.
  static bool Accepts(char maskChar, char ch);
  // The text rebuilt along the mask: literals from the mask (an equal character of the old text is
  // taken as that literal), at each mask position the next character of the old text that it takes.
  // It stops when the old text is used up.
  std::string Reformat(const std::string& text) const;

private:
  struct Position {
    bool literal;
    char ch; // the mask character, or the literal itself
  };
  std::vector<Position> m_positions;
};
