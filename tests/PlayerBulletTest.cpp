#include <gtest/gtest.h>

#include <algorithm>

#include "GameTestWorld.h"
#include "framework/VelCollision.h"
#include "game/enemy/C_EnemyBlue.h"
#include "game/enemy/C_Shield.h"

namespace {
using Op = VelSoundEngine::Call::Op;

int Count(const std::vector<std::string>& files, const std::string& file) {
  return static_cast<int>(std::count(files.begin(), files.end(), file));
}

void ExpectTint(const C_Enemy& enemy, const float4& tint) {
  EXPECT_FLOAT_EQ(enemy.tint.x, tint.x);
  EXPECT_FLOAT_EQ(enemy.tint.y, tint.y);
  EXPECT_FLOAT_EQ(enemy.tint.z, tint.z);
  EXPECT_FLOAT_EQ(enemy.tint.w, tint.w);
}
}  // namespace

class PlayerBulletTest : public GameTestWorld {
 protected:
  void SetUp() override {
    GameTestWorld::SetUp();
    Settle();
    VelSoundEngine::GetInstance().ClearRecord();
  }
  Player& player() { return *game->player; }
  std::vector<std::unique_ptr<C_Bullet>>& shots() { return game->playerShots->shots; }

  // Stands the player at the point looking along the yaw and lets body, gun
  // and camera settle there.
  void StandAt(const float3& where, float yaw, float pitch) {
    player().position = where;
    player().yaw = yaw;
    player().pitch = pitch;
    Settle();
    VelSoundEngine::GetInstance().ClearRecord();
  }
  // Where the crosshair's ray is `distance` units ahead of the camera.
  float3 OnAimRay(float distance) {
    return game->camera->GetEye() + game->camera->GetViewDirection() * distance;
  }
  C_Enemy& AddEnemy(const float3& where) {
    game->enemies->enemies.push_back(std::make_unique<C_EnemyBlue>(where));
    return *game->enemies->enemies.back();
  }
  C_Shield& AddShield(const float3& where, int hp) {
    auto shield = std::make_unique<C_Shield>();
    shield->world = MatrixTranslation(where);
    shield->hp = shield->maxHp = hp;
    shield->radius = 6.0f;
    shield->opacity = 1.0f;
    game->enemies->shields.push_back(std::move(shield));
    return *game->enemies->shields.back();
  }
  // Updates only the shots until none is left; returns the updates needed.
  int FlyOut(int limit = 400) {
    int updates = 0;
    while (!shots().empty() && updates < limit) {
      game->playerShots->Update();
      ++updates;
    }
    return updates;
  }
  // The effects of that class, in list order.
  std::vector<const C_TexEffect*> Effects(const std::string& name) {
    std::vector<const C_TexEffect*> out;
    for (const auto& effect : game->effects->effects) {
      if (effect->ClassName() == name) out.push_back(effect.get());
    }
    return out;
  }
  std::vector<int> DamageNumbers() {
    std::vector<int> out;
    for (const C_TexEffect* log : Effects("C_DamageLog")) out.push_back(log->counter);
    return out;
  }
  int Plays(const std::string& file) { return Count(Played(Op::Play), file); }
};

TEST_F(PlayerBulletTest, LeavesTheMuzzleAlongTheGunWithTheCameraRayOfTheMoment) {
  game->playerShots->Spawn(PlayerShots::kBullet);
  ASSERT_EQ(shots().size(), 1u);
  const C_Bullet& bullet = *shots()[0];
  const float4x4& gun = game->gun->GetWorld();
  EXPECT_EQ(bullet.position, gun.Translation());
  EXPECT_EQ(bullet.velocity, gun.Row(2));
  EXPECT_EQ(bullet.aimOrigin, game->camera->GetEye());
  EXPECT_EQ(bullet.aimDirection, game->camera->GetViewDirection());
  EXPECT_EQ(bullet.GetRadius(), 0.5f);
  EXPECT_EQ(bullet.GetPower(), 1);

  game->playerShots->Spawn(PlayerShots::kChargeBullet);
  EXPECT_EQ(shots()[1]->GetRadius(), 1.0f);
  EXPECT_EQ(shots()[1]->GetPower(), 6);
}

TEST_F(PlayerBulletTest, SteersAtThreeUnitsAFrameToTheFloorUnderTheCrosshairAndEndsThere) {
  StandAt({0.0f, 0.0f, -240.0f}, 0.0f, 30.0f);
  float distance = 0.0f;
  float3 normal{};
  ASSERT_TRUE(RayToModel(game->stage->StageModel(), game->stage->StageWorld(), game->camera->GetEye(),
                         game->camera->GetViewDirection(), distance, normal));
  const float3 aimPoint = OnAimRay(distance);

  game->playerShots->Spawn(PlayerShots::kBullet);
  game->playerShots->Update();
  ASSERT_EQ(shots().size(), 1u);
  EXPECT_NEAR(Length(shots()[0]->velocity), 3.0f, 1e-4f);
  const float3 heading = Normalize(shots()[0]->velocity);
  EXPECT_GT(Dot(Normalize(aimPoint - shots()[0]->position), heading), 0.9999f);
  FlyOut();
  EXPECT_EQ(Plays("Data/Sound/hitBullet.wav"), 1);
  // It ends on its way to the aim point once it is within 3 units of the
  // floor (the push-out distance of the surface test).
  auto hits = Effects("C_HitBullet");
  ASSERT_EQ(hits.size(), 1u);
  const float height = hits[0]->position.y - aimPoint.y;
  EXPECT_GT(height, 0.0f);
  EXPECT_LE(height, 3.0f);
  EXPECT_GT(Dot(Normalize(aimPoint - hits[0]->position), heading), 0.999f);
  EXPECT_TRUE(DamageNumbers().empty());
}

TEST_F(PlayerBulletTest, TheAimIsFixedAtTheMomentOfFiring) {
  StandAt({0.0f, 0.0f, -240.0f}, 0.0f, 30.0f);
  game->playerShots->Spawn(PlayerShots::kBullet);
  FlyOut();
  const float3 straight = Effects("C_HitBullet").at(0)->position;

  game->playerShots->Spawn(PlayerShots::kBullet);
  player().yaw += 90.0f;
  player().pitch = 0.0f;
  Hold({});
  Updates(1);
  FlyOut();
  auto hits = Effects("C_HitBullet");
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_LT(Distance(hits[1]->position, straight), 3.0f);
}

TEST_F(PlayerBulletTest, AShotAtTheSkyFliesAlongTheGunUntilItIsOutOfRange) {
  StandAt({0.0f, 0.0f, -240.0f}, 0.0f, -40.0f);
  game->playerShots->Spawn(PlayerShots::kBullet);
  const float3 start = shots()[0]->position;
  const float3 axis = shots()[0]->velocity;
  game->playerShots->Update();
  EXPECT_EQ(shots()[0]->position, start + axis);
  EXPECT_EQ(shots()[0]->velocity, axis);
  const int updates = 1 + FlyOut();
  EXPECT_GE(updates, 110);
  EXPECT_LE(updates, 120);
  // It goes on the first frame it is 115 units or more from the player.
  auto lost = Effects("C_PlayerBulletLost");
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_GE(Distance(lost[0]->position, player().GetPosition()), 115.0f);
  EXPECT_LT(Distance(lost[0]->position - axis, player().GetPosition()), 115.0f);
  EXPECT_TRUE(Played(Op::Play).empty());
}

TEST_F(PlayerBulletTest, AnEnemyHitLosesOneHpTurnsPurpleAndShowsTen) {
  C_Enemy& enemy = AddEnemy(OnAimRay(30.0f));
  const int hp = enemy.GetHp();
  ASSERT_GT(hp, 2);
  game->playerShots->Spawn(PlayerShots::kBullet);
  FlyOut();
  EXPECT_EQ(enemy.GetHp(), hp - 1);
  ExpectTint(enemy, float4{0.5f, 0.0f, 0.5f, 0.8f});
  EXPECT_EQ(Plays("Data/Sound/bulletDmg.wav"), 1);
  EXPECT_EQ(Effects("C_HitBullet").size(), 1u);
  EXPECT_EQ(DamageNumbers(), (std::vector<int>{10}));
}

TEST_F(PlayerBulletTest, OfTwoOverlappingEnemiesOnlyTheFirstInListOrderIsHit) {
  C_Enemy& first = AddEnemy(OnAimRay(30.0f));
  C_Enemy& second = AddEnemy(OnAimRay(30.0f));
  const int hp = first.GetHp();
  game->playerShots->Spawn(PlayerShots::kBullet);
  FlyOut();
  EXPECT_EQ(first.GetHp(), hp - 1);
  EXPECT_EQ(second.GetHp(), hp);
  EXPECT_EQ(DamageNumbers().size(), 1u);
}

TEST_F(PlayerBulletTest, TheBelowHalfColourNeedsStrictlyLessThanHalf) {
  C_Enemy& enemy = AddEnemy(OnAimRay(30.0f));
  const int half = enemy.GetMaxHp() / 2;
  enemy.SetHp(half + 1);
  game->playerShots->Spawn(PlayerShots::kBullet);
  FlyOut();
  EXPECT_EQ(enemy.GetHp(), half);
  ExpectTint(enemy, float4{0.5f, 0.0f, 0.5f, 0.8f});

  game->playerShots->Spawn(PlayerShots::kBullet);
  FlyOut();
  EXPECT_EQ(enemy.GetHp(), half - 1);
  ExpectTint(enemy, float4{0.8f, 0.2f, 0.2f, 0.8f});
}

TEST_F(PlayerBulletTest, AChargeShotTakesSixHpWithItsOwnColoursEffectAndNumber) {
  C_Enemy& enemy = AddEnemy(OnAimRay(30.0f));
  enemy.SetHp(enemy.GetMaxHp());
  game->playerShots->Spawn(PlayerShots::kChargeBullet);
  FlyOut();
  EXPECT_EQ(enemy.GetHp(), enemy.GetMaxHp() - 6);
  const float4 expected =
      enemy.GetHp() < enemy.GetMaxHp() / 2 ? float4{0.8f, 0.2f, 0.8f, 0.8f} : float4{0.5f, 0.0f, 0.8f, 0.8f};
  ExpectTint(enemy, expected);
  EXPECT_EQ(Effects("C_HitChargeBullet").size(), 1u);
  EXPECT_EQ(DamageNumbers(), (std::vector<int>{100}));
  EXPECT_EQ(Plays("Data/Sound/bulletDmg.wav"), 1);
}

TEST_F(PlayerBulletTest, OfTheEnemiesOnTheAimRayTheLastInListOrderSetsTheHeading) {
  AddEnemy(OnAimRay(30.0f));
  AddEnemy(OnAimRay(70.0f));
  // The heading a bullet takes toward where the aim ray meets that enemy.
  auto headingTo = [](const C_Enemy& enemy, const C_Bullet& bullet) {
    float distance = 0.0f;
    float3 normal{};
    EXPECT_TRUE(RayToModel(enemy.GetModel(), enemy.GetMatrix(), bullet.aimOrigin, bullet.aimDirection,
                           distance, normal));
    return Normalize(bullet.aimOrigin + bullet.aimDirection * distance - bullet.position) * 3.0f;
  };
  auto& enemies = game->enemies->enemies;
  for (int order = 0; order < 2; ++order) {
    shots().clear();
    game->playerShots->Spawn(PlayerShots::kBullet);
    game->playerShots->Update();
    const C_Bullet& bullet = *shots().at(0);
    const float3 toLast = headingTo(*enemies[1], bullet);
    ASSERT_GT(Distance(toLast, headingTo(*enemies[0], bullet)), 0.1f);
    EXPECT_NEAR(Distance(bullet.velocity, toLast), 0.0f, 1e-4f) << order;
    std::swap(enemies[0], enemies[1]);  // now the nearer one comes last
  }
}

TEST_F(PlayerBulletTest, AnEnemyBehindTheClosedDoorDrawsTheShotOntoTheDoor) {
  StandAt({0.0f, 0.0f, -30.0f}, 0.0f, 0.0f);
  float distance = 0.0f;
  float3 normal{};
  const CollisionPart door = game->stage->CollisionSet()[2];
  ASSERT_TRUE(RayToModel(*door.model, *door.world, game->camera->GetEye(), game->camera->GetViewDirection(),
                         distance, normal));
  C_Enemy& enemy = AddEnemy(OnAimRay(distance + 15.0f));
  const int hp = enemy.GetHp();

  game->playerShots->Spawn(PlayerShots::kBullet);
  game->playerShots->Update();
  const C_Bullet& bullet = *shots().at(0);
  float toEnemy = 0.0f;
  ASSERT_TRUE(RayToModel(enemy.GetModel(), enemy.GetMatrix(), bullet.aimOrigin, bullet.aimDirection, toEnemy,
                         normal));
  const float3 expected =
      Normalize(bullet.aimOrigin + bullet.aimDirection * toEnemy - bullet.position) * 3.0f;
  EXPECT_NEAR(Distance(bullet.velocity, expected), 0.0f, 1e-4f);

  FlyOut();
  EXPECT_EQ(enemy.GetHp(), hp);
  EXPECT_EQ(Plays("Data/Sound/hitBullet.wav"), 1);
  EXPECT_EQ(Plays("Data/Sound/bulletDmg.wav"), 0);
  auto hits = Effects("C_HitBullet");
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_LT(hits[0]->position.z, 1.0f);
}

TEST_F(PlayerBulletTest, ANormalShotGlancesOffAShield) {
  C_Shield& shield = AddShield(OnAimRay(30.0f), 30);
  game->playerShots->Spawn(PlayerShots::kBullet);
  FlyOut();
  EXPECT_EQ(shield.GetHp(), 30);
  EXPECT_EQ(shield.opacity, 1.0f);
  EXPECT_EQ(Plays("Data/Sound/Flip.wav"), 1);
  EXPECT_EQ(Effects("C_HitBullet").size(), 1u);
  EXPECT_EQ(DamageNumbers(), (std::vector<int>{0}));
}

TEST_F(PlayerBulletTest, AChargeShotBreaksIntoAShield) {
  C_Shield& shield = AddShield(OnAimRay(30.0f), 30);
  game->playerShots->Spawn(PlayerShots::kChargeBullet);
  FlyOut();
  EXPECT_EQ(shield.GetHp(), 24);
  EXPECT_NEAR(shield.opacity, 0.3f, 1e-6f);
  std::vector<std::string> played = Played(Op::Play);
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0], "Data/Sound/hitChargeBullet.wav");
  EXPECT_EQ(played[1], "Data/Sound/DamageShield.wav");
  EXPECT_EQ(Effects("C_ShieldDamage").size(), 1u);
  EXPECT_EQ(DamageNumbers(), (std::vector<int>{100}));
}
