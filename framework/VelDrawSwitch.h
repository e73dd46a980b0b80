#pragma once

// Off, the graphics device drops its draws and clears (state, buffers and
// textures still change): a tool that captures a few frames of a long run on
// a software rasteriser renders only those. Releasing the device turns it on.
void VelSetDrawing(bool on);
bool VelIsDrawing();
