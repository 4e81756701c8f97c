// Buttons that appear together with another: shows and hides `followers` whenever the leader is
// shown or hidden. Owned by the leader.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <utility>
#include <vector>

class VisibilityFollower : public QObject {
public:
  VisibilityFollower(QWidget* leader, std::vector<QWidget*> followers)
      : QObject(leader), followers_(std::move(followers)) {
    leader->installEventFilter(this);
    Follow(!leader->isHidden());
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
      Follow(event->type() == QEvent::ShowToParent);
    return false;
  }

private:
  void Follow(bool visible) {
    for (QWidget* follower : followers_)
      follower->setVisible(visible);
  }

  std::vector<QWidget*> followers_;
};
