# Sources of model/ that run without a window go to TARVANE_CORE_SOURCES; windows to TARVANE_UI_SOURCES.
