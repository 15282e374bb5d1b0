#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace formlib {

class TObject {
public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// Owns the components created with it as owner and frees them, last created first, when it goes.
class TComponent : public TObject {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

protected:
  // Frees the owned components now, while the derived parts of this object still exist.
  void DestroyComponents();

private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

} // namespace formlib
