#include "app/CommandTable.h"

#include <algorithm>

namespace tavrel {
namespace {

using enum Route;
using enum Refresh;
using namespace command;

// One row a switch: adding a display switch touches its row here and the flag's in the scene.
constexpr DisplaySwitch kDisplaySwitches[] = {
    {kFillPolygons, &DisplayFlags::showFilled, "Fill Polygons", "Fill Polygons\nFill Polygons", "fill", AllViews},
    {kShowPoints, &DisplayFlags::showPoints, "Show Points", "Show Points\nShow Points", "points", AllViews},
    {kShowTyres, &DisplayFlags::showTyres, "Show Tyres", "Show Tyres\nShow Tyres", "tyres", AllViews},
    {kShowHelmet, &DisplayFlags::showHelmet, "Show Helmet", "Show Helmet\nShow Helmet", "helmet", AllViews},
    {kDrawAxis, &DisplayFlags::showAxis, "Draw Axis", "Draw Axis\nDraw Axis", "axis", AllViews},
    {kShowCameras, &DisplayFlags::showCameras, "Show InCar Cameras", "Show InCar Cameras\nShow Cameras", "cameras",
     AllViews},
    {kUseTextureMaps, &DisplayFlags::showTexture, "Use Texture Maps", "Use Texture Maps\nTexture Maps", "textures",
     AllViews},
    {kShowShadowBox, &DisplayFlags::showShadowBox, "Show Shadow Box", "Show Shadow Box", "", AllViews},
    {kShowVerticies, &DisplayFlags::showLines, "Show Verticies", "Show Verticies\nShow Verticies", "verticies",
     AllViews},
    {kBackfaceCulling, &DisplayFlags::showCulling, "Backface Culling", "Backface Culling\nBackface Culling", "culling",
     AllViews},
    {kShowNormals, &DisplayFlags::showNormals, "Show Normals", "Show Normals\nShow Normals", "normals", AllViews},
    {kShowSingleColor, &DisplayFlags::showSingleColor, "Show Single Color", "Show Single Color\nShow Single Color", "",
     AllViews},
    {kLighting, &DisplayFlags::showLighting, "Lighting", "Lighting\nLighting", "", AllViews},
    {kShowCar, &DisplayFlags::showCar, "Show Car", "Show Car\nShow Car", "car", AllViews},
    {kShowPointNumbers, &DisplayFlags::showPointNumbers, "Show Point Numbers", "Show Point Numbers\nShow Point Numbers",
     "point-numbers", AllViews},
    {kShowVertexNumbers, &DisplayFlags::showVertexNumbers, "Show Vertex Numbers",
     "Show Vertex Numbers\nShow Vertex Numbers", "vertex-numbers", AllViews},
    {kShowCameraNumbers, &DisplayFlags::showCameraNumbers, "Show Camera Numbers", "Show Camera Numbers\nCamera Numbers",
     "", AllViews},
    {kShowPolygonNumbers, &DisplayFlags::showPolygonNumbers, "Show Polygon Numbers",
     "Show Polygon Numbers\nShow Polygon Numbers", "polygon-numbers", AllViews},
    {kShowNoseCone, &DisplayFlags::showNoseDetail, "Show Nose Cone Indicator", "Show Nose Cone Indicator", "",
     ThisView},
    {kShowCockpit, &DisplayFlags::showCockpit, "Show Cockpit", "", "cockpit", ThisView},
    {kShowSteeringWheel, &DisplayFlags::showSWheel, "Show Steering Wheel", "Show Steering Wheel\nSteering Wheel",
     "steering-wheel", ThisView},
};

// Every command but the display switches: its menu text, its prompt ("status text\ntooltip"), keys, icon and who
// handles it.
const std::vector<CommandInfo> kOtherCommands = {
    // ---- application ----
    {kLaunchZav, "Launch Zav", "Launch Zav\nRun Zav", {}, "", Application},
    {kEditLocation, "Edit Zav Location...", "", {}, "", Application},
    {kImportFromExe,
     "Import From Exe...",
     "Import Car From zav.exe\n Import Car from Exe",
     {},
     "import-exe",
     Application},
    {kTriggerDistance, "Set RCR distance trigger", "", {}, "", Application},
    {kSetAnimationDelay, "Set Animation Delay", "", {}, "", Application},
    {kUseInternalJams, "Use Internal Jams", "", {}, "", Application, true},
    {kEditPatchLevel, "Edit Zav Patch Level", "", {}, "", Application},
    {kNew, "&New", "Create a new document\nNew", {"Ctrl+N"}, "new", Application},
    {kOpen, "&Load Car...\tCtrl+O", "Open an existing document\nOpen", {"Ctrl+O"}, "open", Application},
    {kPrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", {}, "", Application},
    {kRecentFile, "Recent File", "Open this document", {}, "", Application},
    {kAbout, "&About Tavrel...", "Show the program's version and the libraries it uses\nAbout", {}, "", Application},
    {kExit, "E&xit", "Quit the application; prompts to save documents\nExit", {}, "", Application},
    // ---- main frame ----
    {kArrangeIcons, "&Arrange Icons", "Line up the minimised windows\nArrange Icons", {}, "", MainFrame},
    {kCascade, "&Cascade", "Arrange the windows so that they overlap\nCascade Windows", {}, "", MainFrame},
    {kTile, "&Tile", "Arrange the windows side by side\nTile Windows", {}, "", MainFrame},
    {kHelpTopics, "&Help Topics", "Open the user guide\nHelp Topics", {}, "", MainFrame},
    {kContextHelp,
     "What's &This?",
     "Click on a part of the window to learn about it\nWhat's This",
     {"Shift+F1"},
     "",
     MainFrame},
    {kHelp, "&Help", "Open the user guide\nHelp", {"F1"}, "", MainFrame},
    {kDefaultHelp, "&Help", "Open the user guide\nHelp", {}, "", MainFrame},
    {kToggleToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", {}, "", MainFrame, true},
    {kToggleStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", {}, "", MainFrame, true},
    // ---- nobody handles these: always disabled ----
    {kCopy, "&Copy\tCtrl+C", "Copy the selection to the clipboard\nCopy", {"Ctrl+C", "Ctrl+Ins"}, "", View},
    {kCut, "Cu&t\tCtrl+X", "Cut the selection to the clipboard\nCut", {"Ctrl+X", "Shift+Del"}, "", View},
    {kPaste, "&Paste\tCtrl+V", "Insert the clipboard's contents\nPaste", {"Ctrl+V", "Shift+Ins"}, "", View},
    {kNextPane, "Next Pane", "Switch to the next window pane\nNext Pane", {"F6"}, "", View},
    {kPreviousPane, "Previous Pane", "Switch back to the previous window pane\nPrevious Pane", {"Shift+F6"}, "", View},
    // ---- document ----
    {kUndo, "&Undo\tCtrl+Z", "Undo the last change\nUndo", {"Ctrl+Z", "Alt+Backspace"}, "", Document},
    {kRedo, "&Redo\tCtrl+Y", "Redo the last change undone\nRedo", {"Ctrl+Y", "Ctrl+Shift+Z"}, "", Document},
    {kExportToExe, "Export To Exe...", "Export Car to zav.exe\nExport Car to Exe", {}, "export-exe", Document},
    {kJamView, "JAM View", "", {}, "", Document},
    {kImportHelmet, "Import Helmet", "", {}, "", Document},
    {kExportObj, "Export WaveFront (*.obj)", "", {}, "", Document},
    {kExportCameras, "Export Cameras...", "Save cameras to disk\nSave Camera File", {}, "", Document},
    {kImportCameras, "Import Cameras...", "Load cameras from disk\nLoad Camera File", {}, "", Document},
    {kExportCtf, "Export CTF...", "", {}, "", Document},
    {kImportCtf, "Import CTF...", "", {}, "", Document},
    {kExportHelmet, "Export Helmet", "", {}, "", Document},
    {kImportWheels, "Import Wheels", "", {}, "", Document},
    {kExportWheels, "ExportWheels", "", {}, "", Document},
    {kImportCockpit, "Import Cockpit", "", {}, "", Document},
    {kExportCockpit, "Export Cockpit", "", {}, "", Document},
    {kImportSteeringWheel, "Import Steering Wheel", "", {}, "", Document},
    {kExportSteeringWheel, "Export Steering Wheel", "", {}, "", Document},
    {kExportGltf, "Export glTF...", "Export the car, its parts and textures as glTF\nExport glTF", {}, "", Document},
    {kImportObjPoints,
     "Import WaveFront Points...",
     "Take the car's points back from a WaveFront file a modeller wrote\nImport WaveFront Points",
     {},
     "",
     Document},
    {kNewWindow, "&New Window", "Open another window on the active document\nNew Window", {}, "", Document},
    {kClose, "&Close", "Close the active document\nClose", {"Ctrl+W", "Ctrl+F4"}, "", Document},
    {kSave, "&Save", "Save the active document\nSave", {"Ctrl+S"}, "save", Document},
    {kSaveAs, "Save &As...", "Save the active document with a new name\nSave As", {}, "", Document},
    // ---- car view ----
    {kSetCarTextureJam, "Set Car Texture Jam", "", {}, "", View},
    {kCameraViews[0], "View From Camera 1", "", {}, "", View, true},
    {kCameraViews[3], "View From Camera 4", "", {}, "", View, true},
    {kCameraViews[2], "View From Camera 3", "", {}, "", View, true},
    {kCameraViews[4], "View From Camera 5", "", {}, "", View, true},
    {kCameraViews[5], "View From Camera 6", "", {}, "", View, true},
    {kCameraViews[6], "View From Camera 7", "", {}, "", View, true},
    {kCameraViews[7], "View From Camera 8", "", {}, "", View, true},
    {kCameraViews[8], "View From Camera 9", "", {}, "", View, true},
    {kNormalView, "Normal View", "", {}, "", View, true},
    {kCameraViews[1], "View From Camera 2", "", {}, "", View, true},
    {kFixedViewCommands[0].id, "View Right Side", "", {}, "", View},
    {kFixedViewCommands[1].id, "View Left Side", "", {}, "", View},
    {kFixedViewCommands[2].id, "View Front", "", {}, "", View},
    {kFixedViewCommands[3].id, "View Bottom", "", {}, "", View},
    {kFixedViewCommands[4].id, "View Top", "", {}, "", View},
    {kFixedViewCommands[5].id, "View Back", "", {}, "", View},
    {kFixedViewCommands[6].id, "View Front Left", "", {}, "", View},
    {kFixedViewCommands[7].id, "View Front Right", "", {}, "", View},
    {kFixedViewCommands[8].id, "View Back Left", "", {}, "", View},
    {kFixedViewCommands[9].id, "View Back Right", "", {}, "", View},
    {kStartStopAnimation, "Start/Stop Animation", "", {}, "", View, true},
    {kZoomIn, "Zoom In", "Zoom In\nZoom In", {}, "zoom-in", View},
    {kZoomOut, "Zoom Out", "Zoom Out\nZoom Out", {}, "zoom-out", View},
    {kShowJamIds, "Show RCR Jam Ids", "Show RCR Jam Ids", {}, "", View, true},
    {kExportRcrJam, "Export RCR JAM", "Export RCR JAM", {}, "", View},
    {kDrawRcrJam, "Draw RCR Jam", "Draw RCR Jam", {}, "", View, true},
    {kProduceRcrImages, "Produce RCR Images", "Produce RCR Images", {}, "", View},
    {kRcrDistances, "RCR Distances", "", {}, "", View},
    {kReloadTextureCfg, "Reload Texture.cfg", "Reload Texture.cfg\nReload Texture.cfg", {}, "reload", View},
    {kPrint, "&Print...\tCtrl+P", "Print the active document\nPrint", {"Ctrl+P"}, "", View},
    {kPrintDirect, "Print Directly", "Print the active document without asking\nPrint Directly", {}, "", View},
    {kPrintPreview, "Print Pre&view", "Display full pages\nPrint Preview", {}, "", View},
};

std::vector<CommandInfo> MakeCommands() {
  std::vector<CommandInfo> commands = kOtherCommands;
  for (const DisplaySwitch& entry : kDisplaySwitches)
    commands.push_back({entry.id, entry.menuText, entry.prompt, {}, entry.icon, View, true});
  return commands;
}

const std::vector<CommandInfo> kCommands = MakeCommands();

const std::vector<PartCommands> kPartCommands = {
    {ShapeKind::Helmet, kExportHelmet, kImportHelmet},
    {ShapeKind::Cockpit, kExportCockpit, kImportCockpit},
    {ShapeKind::Wheel, kExportWheels, kImportWheels},
    {ShapeKind::SteeringWheel, kExportSteeringWheel, kImportSteeringWheel},
};

constexpr MenuItem kSep{};

MenuItem Item(int id, std::string_view text = {}) { return {id, text, {}}; }

MenuTitle HelpMenu() { return {"&Help", {Item(kHelpTopics), kSep, Item(kAbout)}}; }

std::vector<MenuTitle> MakeMainMenu() {
  return {
      {"&File",
       {Item(kOpen), Item(kImportHelmet, "Load Helmet"), Item(kImportFromExe), Item(kLaunchZav), Item(kExportObj), kSep,
        Item(kPrintSetup), kSep, Item(kRecentFile), kSep, Item(kExit)}},
      {"Edit", {Item(kUndo), Item(kRedo), kSep, Item(kEditLocation), Item(kEditPatchLevel), Item(kTriggerDistance)}},
      {"&View", {Item(kToggleToolbar), Item(kToggleStatusBar)}},
      {"JAM", {Item(kSetCarTextureJam), Item(kUseInternalJams)}},
      HelpMenu(),
  };
}

std::vector<MenuTitle> MakeDocumentMenu() {
  std::vector<MenuItem> cameraItems = {Item(kNormalView)};
  for (int id : kCameraViews) cameraItems.push_back(Item(id));
  cameraItems.push_back(kSep);
  for (const FixedViewCommand& fixed : kFixedViewCommands) cameraItems.push_back(Item(fixed.id));
  return {
      {"&File",
       {Item(kOpen),
        Item(kImportFromExe),
        Item(kLaunchZav),
        Item(kClose),
        Item(kSaveAs),
        Item(kExportToExe),
        kSep,
        Item(kExportCameras),
        Item(kImportCameras),
        kSep,
        Item(kExportCtf),
        Item(kImportCtf),
        Item(kExportObj),
        Item(kImportObjPoints),
        Item(kExportGltf),
        kSep,
        MenuItem{
            0, "Import", {Item(kImportHelmet), Item(kImportWheels), Item(kImportCockpit), Item(kImportSteeringWheel)}},
        MenuItem{
            0, "Export", {Item(kExportHelmet), Item(kExportWheels), Item(kExportCockpit), Item(kExportSteeringWheel)}},
        kSep,
        Item(kPrint),
        Item(kPrintPreview),
        kSep,
        Item(kRecentFile),
        kSep,
        Item(kExit)}},
      {"&Edit",
       {Item(kUndo), Item(kRedo), kSep, Item(kCut), Item(kCopy), Item(kPaste), kSep, Item(kEditLocation),
        Item(kRcrDistances), Item(kTriggerDistance)}},
      {"&View",
       {Item(kToggleToolbar), Item(kToggleStatusBar), kSep, Item(kShowVerticies), Item(kShowPoints), kSep,
        Item(kShowVertexNumbers), Item(kShowPointNumbers), Item(kShowCameraNumbers), kSep, Item(kShowCar),
        Item(kShowTyres), Item(kShowHelmet), Item(kShowSingleColor), Item(kLighting)}},
      {"Animate", {Item(kStartStopAnimation), Item(kSetAnimationDelay)}},
      {"Camera", cameraItems},
      {"JAM",
       {Item(kSetCarTextureJam), Item(kJamView), Item(kShowJamIds), Item(kUseInternalJams), kSep, Item(kDrawRcrJam),
        Item(kProduceRcrImages)}},
      {"&Window", {Item(kNewWindow), Item(kCascade), Item(kTile), Item(kArrangeIcons)}},
      HelpMenu(),
  };
}

constexpr int S = command::kSeparator;
constexpr int kMainToolbar[] = {
    kNew, kOpen,       kSave,        S, kZoomIn,      kZoomOut,           S, kShowCar,       kShowTyres,
    S,    kShowHelmet, kShowCameras, S, kShowCockpit, kShowSteeringWheel, S, kImportFromExe, kExportToExe};
constexpr int kDisplayToolbar[] = {kUseTextureMaps,
                                   kReloadTextureCfg,
                                   S,
                                   kFillPolygons,
                                   S,
                                   kShowPoints,
                                   kShowVerticies,
                                   kDrawAxis,
                                   S,
                                   kShowPointNumbers,
                                   kShowVertexNumbers,
                                   kShowPolygonNumbers,
                                   kBackfaceCulling,
                                   kShowNormals};

std::string_view UpTo(std::string_view text, char end) { return text.substr(0, text.find(end)); }

}  // namespace

std::string_view CommandInfo::StatusPrompt() const { return UpTo(prompt, '\n'); }

std::string_view CommandInfo::Tooltip() const {
  const auto lineBreak = prompt.find('\n');
  return lineBreak == std::string_view::npos ? MenuLabel() : prompt.substr(lineBreak + 1);
}

std::string_view CommandInfo::MenuLabel() const { return UpTo(menuText, '\t'); }

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  const auto found = std::ranges::find(kCommands, id, &CommandInfo::id);
  return found == kCommands.end() ? nullptr : &*found;
}

std::span<const DisplaySwitch> DisplaySwitches() { return kDisplaySwitches; }

std::span<const PartCommands> PartCommandIds() { return kPartCommands; }

const std::vector<MenuTitle>& MainMenu() {
  static const std::vector<MenuTitle> menu = MakeMainMenu();
  return menu;
}

const std::vector<MenuTitle>& DocumentMenu() {
  static const std::vector<MenuTitle> menu = MakeDocumentMenu();
  return menu;
}

std::span<const int> MainToolbar() { return kMainToolbar; }
std::span<const int> DisplayToolbar() { return kDisplayToolbar; }

}  // namespace tavrel
