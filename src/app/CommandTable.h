#pragma once
// Every command of the program as data: its id, menu text, status prompt and
// tooltip, keys, picture and where on the route it lives. The menus and the two
// toolbars are lists of ids. Actions, menus and toolbars are made from these
// tables in one place (Actions).

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "document/OpenDocuments.h"
#include "scene/DisplayFlags.h"
#include "shape/ShapeKind.h"

namespace tavrel {

// The order a command is offered to its handlers: the active view, its
// document, the main window, the application.
enum class Route { View, Document, MainFrame, Application };

struct CommandInfo {
  int id;
  std::string_view menuText;           // "&Load Car...\tCtrl+O": the text after a tab names the first key
  std::string_view prompt;             // "status-bar prompt\ntooltip"; either part may be missing
  std::vector<std::string_view> keys;  // in QKeySequence's portable text
  std::string_view icon;               // picture in res/icons, for toolbar buttons
  Route route;
  bool checkable = false;

  std::string_view StatusPrompt() const;  // the prompt up to the line break
  std::string_view Tooltip() const;       // after it; the menu text's when there is none
  std::string_view MenuLabel() const;     // the menu text up to the tab
};

// Which views show a display switch's change: every view of the document, or the one switched.
enum class Refresh { AllViews, ThisView };

// A car view's display switch: its command, what the command says, and the flag it turns.
struct DisplaySwitch {
  int id;
  bool DisplayFlags::*flag;
  std::string_view menuText;
  std::string_view prompt;
  std::string_view icon;
  Refresh refresh;
};

namespace command {
// The application's commands.
inline constexpr int kLaunchZav = 32771;
inline constexpr int kEditLocation = 32772;
inline constexpr int kImportFromExe = 32773;
inline constexpr int kTriggerDistance = 32829;
inline constexpr int kSetAnimationDelay = 32848;
inline constexpr int kUseInternalJams = 32849;
inline constexpr int kEditPatchLevel = 32873;
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kRecentFile = 57616;                     // the first of the recent-file entries
inline constexpr int kRecentFileCount = RecentFiles::kCount;  // entries kRecentFile on
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
// The main window's.
inline constexpr int kArrangeIcons = 57649;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57651;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kDefaultHelp = 57671;
inline constexpr int kToggleToolbar = 59392;
inline constexpr int kToggleStatusBar = 59393;
// Offered in the menus but handled by nobody, so always disabled.
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;
// A document's.
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kExportToExe = 32774;
inline constexpr int kJamView = 32830;
inline constexpr int kExportObj = 32856;
inline constexpr int kExportCameras = 32871;
inline constexpr int kImportCameras = 32872;
inline constexpr int kExportCtf = 32874;
inline constexpr int kImportCtf = 32875;
inline constexpr int kImportHelmet = 32833;
inline constexpr int kExportHelmet = 32877;
inline constexpr int kImportWheels = 32878;
inline constexpr int kExportWheels = 32879;
inline constexpr int kImportCockpit = 32880;
inline constexpr int kExportCockpit = 32881;
inline constexpr int kImportSteeringWheel = 32883;
inline constexpr int kExportSteeringWheel = 32884;
inline constexpr int kExportGltf = 32890;
inline constexpr int kImportObjPoints = 32891;
inline constexpr int kNewWindow = 57648;
inline constexpr int kClose = 57602;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
// A car view's display switches.
inline constexpr int kFillPolygons = 32776;
inline constexpr int kShowPoints = 32779;
inline constexpr int kShowTyres = 32782;
inline constexpr int kShowHelmet = 32783;
inline constexpr int kDrawAxis = 32787;
inline constexpr int kShowCameras = 32789;
inline constexpr int kUseTextureMaps = 32790;
inline constexpr int kShowShadowBox = 32792;
inline constexpr int kShowVerticies = 32793;
inline constexpr int kBackfaceCulling = 32794;
inline constexpr int kShowNormals = 32795;
inline constexpr int kShowSingleColor = 32796;
inline constexpr int kLighting = 32797;
inline constexpr int kShowCar = 32798;
inline constexpr int kShowPointNumbers = 32799;
inline constexpr int kShowVertexNumbers = 32800;
inline constexpr int kShowCameraNumbers = 32802;
inline constexpr int kShowPolygonNumbers = 32803;
inline constexpr int kShowNoseCone = 32850;
inline constexpr int kShowCockpit = 32862;
inline constexpr int kShowSteeringWheel = 32865;
// A car view's other commands.
inline constexpr int kSetCarTextureJam = 32805;
inline constexpr int kNormalView = 32814;
// "View From Camera 1" to "View From Camera 9", in camera order.
inline constexpr std::array<int, 9> kCameraViews = {32806, 32815, 32808, 32807, 32809, 32810, 32811, 32812, 32813};
// The fixed views' commands, in menu order, with the names of the views they choose.
struct FixedViewCommand {
  int id;
  std::string_view view;
};
inline constexpr std::array<FixedViewCommand, 10> kFixedViewCommands{{
    {32816, "right"},
    {32817, "left"},
    {32818, "front"},
    {32819, "bottom"},
    {32820, "top"},
    {32821, "back"},
    {32822, "front-left"},
    {32823, "front-right"},
    {32824, "back-left"},
    {32825, "back-right"},
}};
inline constexpr int kStartStopAnimation = 32826;
inline constexpr int kZoomIn = 32827;
inline constexpr int kZoomOut = 32828;
inline constexpr int kShowJamIds = 32831;
inline constexpr int kExportRcrJam = 32851;
inline constexpr int kDrawRcrJam = 32854;
inline constexpr int kProduceRcrImages = 32855;
inline constexpr int kRcrDistances = 32859;
inline constexpr int kReloadTextureCfg = 32868;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintDirect = 57608;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kSeparator = 0;  // in menu and toolbar lists
}  // namespace command

std::span<const CommandInfo> Commands();  // the display switches among them
std::span<const DisplaySwitch> DisplaySwitches();
const CommandInfo* FindCommand(int id);

// A part's two commands, in the order of kPartFileKinds.
struct PartCommands {
  ShapeKind shape;
  int exportId;
  int importId;
};
std::span<const PartCommands> PartCommandIds();

// One menu item: a command, a separator, a submenu, or the recent-file entries.
struct MenuItem {
  int id = command::kSeparator;
  std::string_view text;  // a submenu's title, or a command's text in this menu only
  std::vector<MenuItem> submenu;
};
struct MenuTitle {
  std::string_view title;
  std::vector<MenuItem> items;
};

// The menu bar shown while no document window is active, and the one every
// document window shows.
const std::vector<MenuTitle>& MainMenu();
const std::vector<MenuTitle>& DocumentMenu();

// The buttons of the main toolbar and of the display toolbar (kSeparator between groups).
std::span<const int> MainToolbar();
std::span<const int> DisplayToolbar();

}  // namespace tavrel
