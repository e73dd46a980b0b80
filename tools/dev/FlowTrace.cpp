#include "tools/dev/FlowTrace.h"

#include "scene/GameScene.h"
#include "scene/TitleScene.h"

void TraceItems(JsonLine& line, const GameScene& game) {
  line.BeginArray("items");
  if (game.items) {
    for (const auto& item : game.items->items) {
      line.BeginObject().Field("class", item->ClassName()).Field("pos", item->world.Translation()).End();
    }
  }
  line.EndArray();
}

void TraceHud(JsonLine& line, const GameScene& game) {
  if (!game.hud) return;
  const Hud& hud = *game.hud;
  line.Begin("hud")
      .Field("fade", hud.fade->opacity)
      .Field("fadingOut", hud.fade->fadingOut)
      .Begin("warning")
      .Field("active", hud.bossWarning->active)
      .Field("framesLeft", hud.bossWarning->framesLeft)
      .Field("opacity", hud.bossWarning->opacity)
      .End()
      .Begin("clear")
      .Field("active", hud.clearScreen->active)
      .Field("buttonOpacity", hud.clearScreen->buttonOpacity)
      .End()
      .Begin("dead")
      .Field("active", hud.deadScreen->active)
      .Field("titleOpacity", hud.deadScreen->titleButtonOpacity)
      .Field("retryOpacity", hud.deadScreen->retryButtonOpacity)
      .End()
      .Field("magazineCollected", hud.itemSlots->magazineCollected)
      .Field("attachmentCollected", hud.itemSlots->attachmentCollected)
      .Field("reloadShown", hud.reloadDisplay->promptShown)
      .Field("gaugeOpacity", hud.chargeCooldownGauge->opacity)
      .End();
}

void TraceTitle(JsonLine& line, const TitleScene& title) {
  line.Begin("title")
      .Field("fade", title.fadeOpacity)
      .Field("clicked", title.clicked)
      .Field("promptOpacity", title.promptOpacity)
      .End();
}
