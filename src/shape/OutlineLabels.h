#pragma once
// Every label and image index of the outline, in one place. Labels are printf
// formats; the tree shows them character for character, double blanks included.

namespace tavrel::outline {

// Images, as indices into the tree panel's image list.
enum Image : int {
  kImageCar = 0,
  kImagePoints = 1,
  kImageConnections = 2,
  kImageCommands = 3,
  kImageDataValues = 1,
  kImageCameras = 5,
  kImageHelmet = 6,
  kImageMappedCommand = 7,
  kImageCarJams = 9,
  kImageCockpit = 10,
  kImageWheel = 11,
  kImageSteeringWheel = 10,
  kImageJamLine = 30,
  kImageJamUnloaded = 31,
};

// The shape outline.
inline constexpr char kCar[] = "Car:%s";
inline constexpr char kPoints[] = "Verticies %d";
inline constexpr char kPoint[] = "p[%d] %d %d %d (U1=%d)";
inline constexpr char kConnections[] = "Connections %d";
inline constexpr char kConnection[] = "v[%d] %d-> %d  (U1=%d U2=%d)";
inline constexpr char kCommands[] = "TextureData %d";
inline constexpr char kCommand[] = "[%d] %d (0x%x) %s";
inline constexpr char kArguments[] = "Args=";
inline constexpr char kIndexList[] = "Verticies=";
inline constexpr char kListEntry[] = "%d ";
inline constexpr char kDataValues[] = "UnkData %d";
inline constexpr char kDataValueLine[] = "u[%d]";
inline constexpr char kCameras[] = "Cameras %d";
inline constexpr char kCamera[] = "c[%d] (%d,%d,%d) (D=%d P=%d R=%d) (%d %d) (%d %d)";

// The texture files of the main car and the outline of each JAM.
inline constexpr char kCarJams[] = "Car Jams";
inline constexpr char kJamUnloaded[] = "Currently Unloaded";
inline constexpr char kJamItemCount[] = "Num Jam Items:%d";
inline constexpr char kJamItem[] = "JamId:%d  (%d %d %d %d)";
inline constexpr char kJamX[] = "X:%d";
inline constexpr char kJamY[] = "Y:%d";
inline constexpr char kJamWidth[] = "Width:%d";
inline constexpr char kJamHeight[] = "Height:%d";
inline constexpr char kJamIdx08[] = "IDX_08:%d";
inline constexpr char kJamIdx0A[] = "IDX_0A:%d";
inline constexpr char kJamIdx0E[] = "IDX_0E:%d";
inline constexpr char kJamIdx14[] = "IDX_14:%d";
inline constexpr char kJamIdx16[] = "IDX_16:%d";
inline constexpr char kJamIdx17[] = "IDX_17:%d";
inline constexpr char kJamIdx18[] = "IDX_18[%d]:%d";
inline constexpr char kJamPaletteSize[] = "PaletteSize:%d";
inline constexpr char kJamPalettePtr[] = "PalettePtr:%d";
inline constexpr char kJamPalette1[] = "Palette1:%d";
inline constexpr char kJamPalette2[] = "Palette2:%d";
inline constexpr char kJamPalette3[] = "Palette3:%d";
inline constexpr char kJamPalette4[] = "Palette4:%d";
inline constexpr char kJamColourLine[] = "[%d] Val:%d (%d %d %d)";
inline constexpr char kJamTableLine[] = "[%d] Val:%d";
inline constexpr char kJamTotalSize[] = "Total Image Size:%d";

}  // namespace tavrel::outline
