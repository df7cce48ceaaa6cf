// World and interface art: everything the map, the menus and the heads-up
// display draw that is not a character, an item or an effect.
#include "AssetGen.h"
#include "WorldKit.h"

#include <filesystem>

void generateWorldAndInterfaceArt(const AssetContext& ctx) {
    using namespace worldart;
    drawTileSheet(ctx.graphics("TileShet.png"));
    drawWallShadow(ctx.graphics("shado.png"));
    drawStreetEdges(ctx.graphics("floorshado.png"));
    Canvas menu = drawMainMenu(ctx.graphics("MainmenuBG.png"), ctx.graphics("MainmenuFG.png"),
                               ctx.graphics("Oxlenlogo.png"), ctx.displayFont, ctx.sansBoldFont);
    drawOptionsBackground(menu, ctx.graphics("OptionsBG.png"));
    drawButtons(ctx.graphics("Buttons.png"));
    drawDoors(ctx.graphics("doors.png"));
    drawHudPanels(ctx.graphics("UIBG.png"), ctx.graphics("GunBG.png"), ctx.graphics("NoiseBar.png"));
    drawCursor(ctx.graphics("cursor1.png"));
    drawIcon(ctx.graphics("icon.png"));
    // The desktop's icons are installed, never loaded by the game: they stay out of its folders.
    std::filesystem::create_directories(ctx.runDir + "/desktop");
    drawDesktopIcons(ctx.runDir + "/desktop");
    drawBloodyScreen(ctx.graphics("BloodyScreen.png"));
    drawLightFin(ctx.data("lightFin.png"));
    drawGameInfoOverlay(ctx.graphics("GameInfoOverlay.png"), ctx.displayFont, ctx.sansFont, ctx.sansBoldFont);
    drawUpgradeHelpOverlay(ctx.graphics("helpoverlay.png"), ctx.displayFont, ctx.sansFont, ctx.sansBoldFont);
}
