#pragma once

// The base of objects that travel with a view update (the hint's object): views find out what they were
// given with dynamic_cast.
class CObject {
public:
  virtual ~CObject() = default;
};
