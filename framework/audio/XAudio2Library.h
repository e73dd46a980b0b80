#pragma once

// xaudio2_9.dll, loaded once for the process: XAudio2 2.9 is part of Windows
// 10 and later, and its X3DAudio lives in the same library. mingw-w64 has no
// X3DAudio header, so its records are declared here as the library lays
// them out (packed to 1 byte).

#include <windows.h>
#include <xaudio2.h>

#include <cstdint>

#pragma pack(push, 1)
struct X3DAUDIO_VECTOR {
  float x, y, z;
};
struct X3DAUDIO_CONE;
struct X3DAUDIO_DISTANCE_CURVE;
struct X3DAUDIO_LISTENER {
  X3DAUDIO_VECTOR OrientFront;
  X3DAUDIO_VECTOR OrientTop;
  X3DAUDIO_VECTOR Position;
  X3DAUDIO_VECTOR Velocity;
  X3DAUDIO_CONE* pCone;
};
struct X3DAUDIO_EMITTER {
  X3DAUDIO_CONE* pCone;
  X3DAUDIO_VECTOR OrientFront;
  X3DAUDIO_VECTOR OrientTop;
  X3DAUDIO_VECTOR Position;
  X3DAUDIO_VECTOR Velocity;
  float InnerRadius;
  float InnerRadiusAngle;
  UINT32 ChannelCount;
  float ChannelRadius;
  float* pChannelAzimuths;
  X3DAUDIO_DISTANCE_CURVE* pVolumeCurve;
  X3DAUDIO_DISTANCE_CURVE* pLFECurve;
  X3DAUDIO_DISTANCE_CURVE* pLPFDirectCurve;
  X3DAUDIO_DISTANCE_CURVE* pLPFReverbCurve;
  X3DAUDIO_DISTANCE_CURVE* pReverbCurve;
  float CurveDistanceScaler;
  float DopplerScaler;
};
struct X3DAUDIO_DSP_SETTINGS {
  float* pMatrixCoefficients;
  float* pDelayTimes;
  UINT32 SrcChannelCount;
  UINT32 DstChannelCount;
  float LPFDirectCoefficient;
  float LPFReverbCoefficient;
  float ReverbLevel;
  float DopplerFactor;
  float EmitterToListenerAngle;
  float EmitterToListenerDistance;
  float EmitterVelocityComponent;
  float ListenerVelocityComponent;
};
#pragma pack(pop)

constexpr UINT32 kX3DAudioCalculateMatrix = 0x00000001;
constexpr UINT32 kX3DAudioCalculateDoppler = 0x00000020;
constexpr int kX3DAudioHandleBytes = 20;

struct XAudio2Library {
  using Create = HRESULT(WINAPI*)(IXAudio2**, UINT32, XAUDIO2_PROCESSOR);
  using X3DInitialize = HRESULT(__cdecl*)(UINT32, float, BYTE*);
  using X3DCalculate = void(__cdecl*)(const BYTE*, const X3DAUDIO_LISTENER*, const X3DAUDIO_EMITTER*, UINT32,
                                      X3DAUDIO_DSP_SETTINGS*);

  // Every entry is null when the library is missing.
  static const XAudio2Library& Get();

  Create create = nullptr;
  X3DInitialize x3dInitialize = nullptr;
  X3DCalculate x3dCalculate = nullptr;
};
