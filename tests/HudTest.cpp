#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "GameTestWorld.h"
#include "framework/headless/VelHeadlessBackend.h"

namespace {
// One sprite of a HUD draw as the backend saw it.
struct SpriteDraw {
  std::string texture;  // the file name without "Data/Texture/"
  float x, y;           // the transform's translation
  float alpha;
};

bool operator==(const SpriteDraw& a, const SpriteDraw& b) {
  return a.texture == b.texture && std::fabs(a.x - b.x) < 1e-3f && std::fabs(a.y - b.y) < 1e-3f &&
         std::fabs(a.alpha - b.alpha) < 1e-5f;
}

std::ostream& operator<<(std::ostream& out, const SpriteDraw& d) {
  return out << d.texture << " at (" << d.x << ", " << d.y << ") alpha " << d.alpha;
}
}  // namespace

class HudTest : public GameTestWorld {
 protected:
  Hud& hud() { return *game->hud; }

  std::vector<SpriteDraw> Draws(void (*draw)(Hud&)) {
    VelGraphicsDevice::GetInstance().ClearDrawRecords();
    BeginSprite(false, true);
    draw(hud());
    EndSprite();
    std::vector<SpriteDraw> out;
    for (const VelDrawRecord& record : VelGraphicsDevice::GetInstance().GetDrawRecords()) {
      EXPECT_EQ(record.shader, VelShaderPath::Sprite);
      std::string name = record.textureNames[0];
      const std::string folder = "Data/Texture/";
      if (name.compare(0, folder.size(), folder) == 0) name = name.substr(folder.size());
      out.push_back({name, record.world.m[3][0], record.world.m[3][1], record.color.w});
    }
    return out;
  }
};

TEST_F(HudTest, AFrameOfPlayDrawsEveryDisplayInOrderAtItsPlace) {
  Updates(1);
  std::vector<SpriteDraw> expected = {
      {"HPCover2.png", -500, -300, 1.0f},
      {"PlayerHP.png", -610, -300, 1.0f},
      {"frame.png", 470, -260, 0.7f},
      {"gunIllust.png", 440, -280, 0.7f},
      {"ItemFrame.png", 360, -310, 0.6f},
      {"ItemFrame.png", 420, -310, 0.6f},
      {"magazineIllust.png", 420, -310, 0.0f},
      {"attachmentIllust.png", 360, -310, 0.0f},
      {"gaugeCover.png", 450, -225, 0.0f},
      {"gauge.png", 380, -225, 0.0f},
      {"site.png", 0, 0, 0.8f},
      // 30 rounds of 30: each number right-aligned, its last digit first.
      {"num.png", 550, -287, 1.0f},
      {"num.png", 523, -287, 1.0f},
      {"num.png", 620, -293, 1.0f},
      {"num.png", 593, -293, 1.0f},
      {"cross.png", 555, -308, 1.0f},
      {"R.png", 0, -150, 0.0f},
      {"reload.png", 110, -152, 0.0f},
      {"ReloadCover.png", 120, -150, 0.0f},
      {"ReloadGauge.png", 0, 0, 0.0f},
      {"nowReload.png", 120, -100, 0.0f},
      // The clear screen, the warning and the dead screen are not up.
      {"fadeOut.png", 0, 0, 0.98f},
  };
  EXPECT_EQ(Draws([](Hud& h) { h.Draw(); }), expected);
}

TEST_F(HudTest, TheHealthBarIsOneColumnStretchedByTheHealth) {
  HealthBar& bar = *hud().healthBar;
  ASSERT_EQ(bar.bar.GetWidth(), 220u);
  bar.Update();
  // Full health: the whole width, coloured from column 220 x 19 / 20.
  EXPECT_EQ(bar.barSource.x, 209);
  EXPECT_EQ(bar.barSource.width, 1);
  EXPECT_EQ(bar.barSource.height, 22);
  EXPECT_FLOAT_EQ(bar.barTransform.m[0][0], 220.0f);
  game->player->SetHP(10);
  bar.Update();
  EXPECT_EQ(bar.barSource.x, 99);
  EXPECT_FLOAT_EQ(bar.barTransform.m[0][0], 110.0f);
  game->player->SetHP(0);
  bar.Update();
  EXPECT_FLOAT_EQ(bar.barTransform.m[0][0], 0.0f);
  // A blow below zero leaves the bar empty, not mirrored.
  game->player->SetHP(-4);
  bar.Update();
  EXPECT_FLOAT_EQ(bar.barTransform.m[0][0], 0.0f);
}

TEST_F(HudTest, TheBarsGrowFromTheirLeftEdge) {
  // The bar's quad starts at the transformed origin and is one texel wide.
  hud().healthBar->Update();
  Draws([](Hud& h) { h.healthBar->Draw(); });
  const VelBuffer& temp = VelGraphicsDevice::GetInstance().GetTempVertexBuffer(1);
  VelSpriteVertex sent[4];
  std::memcpy(sent, static_cast<const VelHeadlessBuffer&>(*temp.GetBuffer()).data.data(), sizeof(sent));
  EXPECT_FLOAT_EQ(sent[0].pos.x, 0.0f);
  EXPECT_FLOAT_EQ(sent[3].pos.x, 1.0f);
  EXPECT_FLOAT_EQ(sent[0].pos.y, -11.0f);
  EXPECT_FLOAT_EQ(sent[3].pos.y, 11.0f);
}

TEST_F(HudTest, AmmunitionDigitsAreRightAlignedAtTheirAnchor) {
  game->player->SetMagazine(30, 5);
  std::vector<SpriteDraw> expected = {
      {"num.png", 550, -287, 1.0f},
      {"num.png", 620, -293, 1.0f},
      {"num.png", 593, -293, 1.0f},
      {"cross.png", 555, -308, 1.0f},
  };
  EXPECT_EQ(Draws([](Hud& h) { h.ammunitionCounter->Draw(); }), expected);
  game->player->SetMagazine(45, 45);
  EXPECT_EQ(Draws([](Hud& h) { h.ammunitionCounter->Draw(); }).size(), 5u);
}

TEST_F(HudTest, TheReloadPromptShowsAtTenRoundsAndGivesWayToTheGauge) {
  ReloadDisplay& reload = *hud().reloadDisplay;
  game->player->SetMagazine(30, 11);
  reload.Update();
  EXPECT_FALSE(reload.promptShown);
  EXPECT_EQ(reload.promptOpacity, 0.0f);

  game->player->SetMagazine(30, 10);
  for (int i = 0; i < 7; ++i) reload.Update();
  EXPECT_TRUE(reload.promptShown);
  EXPECT_LT(reload.promptOpacity, 0.8f);
  reload.Update();
  EXPECT_NEAR(reload.promptOpacity, 0.8f, 1e-6f);
  reload.Update();
  EXPECT_NEAR(reload.promptOpacity, 0.8f, 1e-6f);

  // A reload halfway through: the prompt fades, the gauge fills.
  game->player->reloading = true;
  game->player->reloadCounter = 30;
  hud().SetReloading(true);
  reload.Update();
  EXPECT_FALSE(reload.promptShown);
  EXPECT_NEAR(reload.promptOpacity, 0.7f, 1e-6f);
  EXPECT_NEAR(reload.gaugeOpacity, 0.1f, 1e-6f);
  // (60 - 30) x 286 / 60 = 143 texels wide, coloured from column 142.
  EXPECT_EQ(reload.gaugeSource.x, 142);
  EXPECT_FLOAT_EQ(reload.gaugeTransform.m[0][0], 143.0f);
  EXPECT_FLOAT_EQ(reload.gaugeTransform.m[3][0], -23.0f);
  for (int i = 0; i < 9; ++i) reload.Update();
  EXPECT_NEAR(reload.gaugeOpacity, 1.0f, 1e-6f);
  EXPECT_EQ(reload.promptOpacity, 0.0f);

  hud().SetReloading(false);
  reload.Update();
  EXPECT_NEAR(reload.gaugeOpacity, 0.9f, 1e-6f);
}

TEST_F(HudTest, TheChargeGaugeFadesInWhileTheCooldownRunsAndFillsAsItEnds) {
  ChargeCooldownGauge& gauge = *hud().chargeCooldownGauge;
  ASSERT_EQ(gauge.bar.GetWidth(), 140u);
  hud().SetChargeGaugeVisible(true);
  game->player->chargeCooldown = 240;
  for (int i = 0; i < 8; ++i) gauge.Update();
  EXPECT_NEAR(gauge.opacity, 0.8f, 1e-6f);
  EXPECT_FLOAT_EQ(gauge.barTransform.m[0][0], 0.0f);
  game->player->chargeCooldown = 60;
  gauge.Update();
  EXPECT_NEAR(gauge.opacity, 0.8f, 1e-6f);
  EXPECT_FLOAT_EQ(gauge.barTransform.m[0][0], 105.0f);
  EXPECT_EQ(gauge.barSource.x, 104);
  game->player->chargeCooldown = 0;
  hud().SetChargeGaugeVisible(false);
  gauge.Update();
  EXPECT_FLOAT_EQ(gauge.barTransform.m[0][0], 140.0f);
  EXPECT_NEAR(gauge.opacity, 0.7f, 1e-6f);
  for (int i = 0; i < 10; ++i) gauge.Update();
  EXPECT_EQ(gauge.opacity, 0.0f);
}

TEST_F(HudTest, CollectedItemsFadeInOverFiftyFramesAndStay) {
  ItemSlots& slots = *hud().itemSlots;
  hud().CollectMagazine();
  for (int i = 0; i < 49; ++i) slots.Update();
  EXPECT_LT(slots.magazineOpacity, 1.0f);
  slots.Update();
  EXPECT_NEAR(slots.magazineOpacity, 1.0f, 1e-5f);
  EXPECT_EQ(slots.attachmentOpacity, 0.0f);
  hud().CollectAttachment();
  for (int i = 0; i < 200; ++i) slots.Update();
  EXPECT_EQ(slots.magazineOpacity, 1.0f);
  EXPECT_EQ(slots.attachmentOpacity, 1.0f);
}

TEST_F(HudTest, TheSightStaysAtTheCentreWhateverTheCameraDoes) {
  Hold({Key::D});
  platform->SetCursorClient({900, 200});
  Updates(20);
  std::vector<SpriteDraw> draws = Draws([](Hud& h) { h.sight->Draw(); });
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0], (SpriteDraw{"site.png", 0, 0, 0.8f}));
}
