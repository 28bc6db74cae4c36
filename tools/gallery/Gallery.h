#pragma once
// The gallery's pages: each renders one family of controls in its states.
class CUIImage;
class GallerySheet;

namespace gallery {
void RenderBackgrounds(GallerySheet& out, const CUIImage& skin);
void RenderButtons(GallerySheet& out, const CUIImage& skin);
void RenderButtonEx(GallerySheet& out, const CUIImage& skin);
void RenderSliders(GallerySheet& out, const CUIImage& skin);
void RenderSmallControls(GallerySheet& out, const CUIImage& skin);
void RenderLists(GallerySheet& out, const CUIImage& skin);
}  // namespace gallery
