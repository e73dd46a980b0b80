#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "AssetGen.h"
#include "EffectSounds.h"
#include "MusicTracks.h"
#include "WavFile.h"

namespace {

struct SoundAsset {
  const char* file;  // under Data/Sound/
  SoundBuffer (*render)();
};

// Every sound file the game plays.
const SoundAsset kSounds[] = {
    {"Attachment.wav", effect_sounds::Attachment},
    {"Boss.wav", music_tracks::Boss},
    {"DamageShield.wav", effect_sounds::DamageShield},
    {"Decision.wav", effect_sounds::Decision},
    {"DeployShield.wav", effect_sounds::DeployShield},
    {"EnergyCharge.wav", effect_sounds::EnergyCharge},
    {"Explosion.wav", effect_sounds::Explosion},
    {"FinishReload.wav", effect_sounds::FinishReload},
    {"Flip.wav", effect_sounds::Flip},
    {"ItemDrop.wav", effect_sounds::ItemDrop},
    {"Jump.wav", effect_sounds::Jump},
    {"Land.wav", effect_sounds::Land},
    {"Magazine.wav", effect_sounds::Magazine},
    {"TitleBGM.wav", music_tracks::Title},
    {"blankGun.wav", effect_sounds::BlankGun},
    {"breakShield.wav", effect_sounds::BreakShield},
    {"bulletDmg.wav", effect_sounds::BulletDamage},
    {"chargeBullet.wav", effect_sounds::ChargeBullet},
    {"clear.wav", effect_sounds::Clear},
    {"collisionDmg.wav", effect_sounds::CollisionDamage},
    {"dead.wav", effect_sounds::Dead},
    {"enemyAttack.wav", effect_sounds::EnemyAttack},
    {"enemyBullet.wav", effect_sounds::EnemyBullet},
    {"enemySpawn.wav", effect_sounds::EnemySpawn},
    {"find.wav", effect_sounds::Find},
    {"game.wav", music_tracks::Stage},
    {"heal.wav", effect_sounds::Heal},
    {"hitBullet.wav", effect_sounds::HitBullet},
    {"hitChargeBullet.wav", effect_sounds::HitChargeBullet},
    {"hitEnemyBullet.wav", effect_sounds::HitEnemyBullet},
    {"openDoor.wav", effect_sounds::OpenDoor},
    {"playerBullet.wav", effect_sounds::PlayerBullet},
    {"powerCharge.wav", effect_sounds::PowerCharge},
    {"reload.wav", effect_sounds::Reload},
    {"stayCharge.wav", effect_sounds::StayCharge},
    {"stopDoor.wav", effect_sounds::StopDoor},
    {"walk.wav", effect_sounds::Walk},
    {"warning.wav", music_tracks::Warning},
};

bool GenerateSounds(const std::string& dataRoot) {
  auto started = std::chrono::steady_clock::now();
  std::filesystem::path folder = std::filesystem::path(dataRoot) / "Sound";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    std::fprintf(stderr, "sounds: cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
    return false;
  }
  bool ok = true;
  for (const SoundAsset& sound : kSounds)
    ok = WriteWavFile((folder / sound.file).string(), sound.render()) && ok;
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("sounds: %zu files in %.2f s\n", sizeof(kSounds) / sizeof(kSounds[0]), seconds);
  return ok;
}

const AssetGeneratorRegistration kRegistration("sounds", GenerateSounds);

}  // namespace
