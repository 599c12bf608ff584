// Anchors the support library; the helpers above are header-only.
