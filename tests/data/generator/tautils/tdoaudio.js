var tdoAutoplay = [AUTOPLAY];
