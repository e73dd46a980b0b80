#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/SceneManager.h"

namespace {

using Log = std::vector<std::string>;

// Logs every slot with its name; an optional action runs inside Update.
class LoggingScene : public Scene {
 public:
  LoggingScene(std::string sceneName, Log& sharedLog) : name(std::move(sceneName)), log(sharedLog) {}
  ~LoggingScene() override { log.push_back(name + ".~"); }
  void Update() override {
    log.push_back(name + ".Update");
    if (onUpdate) onUpdate();
  }
  void SetCamera() override { log.push_back(name + ".SetCamera"); }
  void Draw() override { log.push_back(name + ".Draw"); }

  std::function<void()> onUpdate;

 private:
  std::string name;
  Log& log;
};

class SceneManagerTest : public ::testing::Test {
 protected:
  void TearDown() override { SceneManager::GetInstance().Reset(); }
  SceneManager& manager = SceneManager::GetInstance();
  Log log;
};

TEST_F(SceneManagerTest, UpdateWithoutAnyRequestDoesNothing) {
  manager.Update();
  manager.Update();
  EXPECT_EQ(manager.Current(), nullptr);
  EXPECT_FALSE(manager.HasPendingChange());
}

TEST_F(SceneManagerTest, DefaultFrameRunsUpdateSetCameraDraw) {
  manager.ChangeScene(std::make_unique<LoggingScene>("A", log));
  EXPECT_EQ(manager.Current(), nullptr) << "a request waits for the next update";
  manager.Update();
  EXPECT_EQ(log, (Log{"A.Update", "A.SetCamera", "A.Draw"}));
}

TEST_F(SceneManagerTest, RequestDuringFrameSwitchesAtTheNextPass) {
  auto a = std::make_unique<LoggingScene>("A", log);
  LoggingScene* first = a.get();
  first->onUpdate = [&] {
    log.push_back("B.constructed");
    manager.ChangeScene(new LoggingScene("B", log));
  };
  manager.ChangeScene(std::move(a));
  manager.Update();
  // The requesting scene finishes its frame.
  EXPECT_EQ(log, (Log{"A.Update", "B.constructed", "A.SetCamera", "A.Draw"}));
  EXPECT_EQ(manager.Current(), first);

  log.clear();
  manager.Update();
  // The old scene is gone before the new one's first update.
  EXPECT_EQ(log, (Log{"A.~", "B.Update", "B.SetCamera", "B.Draw"}));

  log.clear();
  manager.Update();
  EXPECT_EQ(log, (Log{"B.Update", "B.SetCamera", "B.Draw"})) << "no switch without a new request";
}

TEST_F(SceneManagerTest, OnlyTheLaterOfTwoRequestsRunsAndTheEarlierIsDeleted) {
  manager.ChangeScene(std::make_unique<LoggingScene>("A", log));
  manager.ChangeScene(std::make_unique<LoggingScene>("B", log));
  EXPECT_EQ(log, (Log{"A.~"})) << "the replaced request is deleted, not leaked";
  log.clear();
  manager.Update();
  EXPECT_EQ(log, (Log{"B.Update", "B.SetCamera", "B.Draw"}));
}

TEST_F(SceneManagerTest, RequestingTheRunningSceneCancelsAPendingRequest) {
  manager.ChangeScene(std::make_unique<LoggingScene>("A", log));
  manager.Update();
  Scene* running = manager.Current();
  manager.ChangeScene(std::make_unique<LoggingScene>("B", log));
  manager.ChangeScene(running);
  manager.Update();
  EXPECT_EQ(manager.Current(), running);
  EXPECT_EQ(log, (Log{"A.Update", "A.SetCamera", "A.Draw", "B.~", "A.Update", "A.SetCamera", "A.Draw"}));
}

TEST_F(SceneManagerTest, NullRequestEndsTheCurrentScene) {
  manager.ChangeScene(std::make_unique<LoggingScene>("A", log));
  manager.Update();
  log.clear();
  manager.ChangeScene(nullptr);
  manager.Update();
  EXPECT_EQ(log, (Log{"A.~"}));
  EXPECT_EQ(manager.Current(), nullptr);
}

TEST_F(SceneManagerTest, RequestFromTheOldScenesDestructorWaitsForTheNextPass) {
  struct Leaving : LoggingScene {
    using LoggingScene::LoggingScene;
    Log* sharedLog = nullptr;
    ~Leaving() override { SceneManager::GetInstance().ChangeScene(new LoggingScene("C", *sharedLog)); }
  };
  auto a = std::make_unique<Leaving>("A", log);
  a->sharedLog = &log;
  manager.ChangeScene(std::move(a));
  manager.Update();
  manager.ChangeScene(std::make_unique<LoggingScene>("B", log));
  log.clear();
  manager.Update();
  EXPECT_EQ(log, (Log{"A.~", "B.Update", "B.SetCamera", "B.Draw"}));
  log.clear();
  manager.Update();
  EXPECT_EQ(log, (Log{"B.~", "C.Update", "C.SetCamera", "C.Draw"}));
}

TEST_F(SceneManagerTest, ChangePendingIsLeftToTheScenes) {
  manager.changePending = true;
  manager.ChangeScene(std::make_unique<LoggingScene>("A", log));
  manager.Update();
  EXPECT_TRUE(manager.changePending);
}

TEST_F(SceneManagerTest, ResetDeletesCurrentAndRequestedScenes) {
  manager.ChangeScene(std::make_unique<LoggingScene>("A", log));
  manager.Update();
  manager.ChangeScene(std::make_unique<LoggingScene>("B", log));
  log.clear();
  manager.Reset();
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(manager.Current(), nullptr);
  manager.Update();
  EXPECT_EQ(log.size(), 2u);
}

}  // namespace
