// The game's picture on the page, as large as the page allows at the screen's shape, as the
// desktop's fit is: a whole multiple of the screen is the canvas itself, scaled sharp by the
// browser. Between two multiples the canvas is copied sharp, at the next whole multiple, onto a
// larger canvas that the browser scales smoothly down: only the seams between screen pixels mix
// two colours. The game's canvas keeps the screen's size and stays on top, unseen then, so that
// the mouse and taps still land on it.
'use strict';

const killGlimbotPicture = (function () {
  const WIDTH = KG_NAMES.PAGE_SCREEN_WIDTH;
  const HEIGHT = KG_NAMES.PAGE_SCREEN_HEIGHT;

  // The picture in a stage of width x height device pixels: the largest area of the screen's
  // shape, centred, and the whole multiple it is drawn at before any smooth scaling.
  function place(width, height) {
    const wide = width * HEIGHT >= height * WIDTH;
    const w = Math.max(1, wide ? Math.floor((height * WIDTH) / HEIGHT) : width);
    const h = Math.max(1, wide ? height : Math.floor((width * HEIGHT) / WIDTH));
    return {
      x: Math.floor((width - w) / 2),
      y: Math.floor((height - h) / 2),
      width: w,
      height: h,
      whole: w % WIDTH === 0 && h % HEIGHT === 0,
      multiple: Math.max(1, Math.ceil(w / WIDTH)),
    };
  }

  // Shows canvas, the game's, in stage; larger is the canvas for the sharp copy.
  function create(stage, canvas, larger) {
    let multiple = 0; // of the larger canvas while it is shown, else 0
    const context = larger.getContext('2d', { alpha: false });

    // The rectangle of the screen the game just put on its canvas, onto the larger one.
    function copy(x, y, width, height) {
      if (multiple === 0) return;
      context.drawImage(canvas, x, y, width, height,
        x * multiple, y * multiple, width * multiple, height * multiple);
    }

    function fit() {
      const ratio = window.devicePixelRatio || 1;
      const at = place(Math.floor(stage.clientWidth * ratio), Math.floor(stage.clientHeight * ratio));
      for (const element of [canvas, larger]) {
        element.style.left = at.x / ratio + 'px';
        element.style.top = at.y / ratio + 'px';
        element.style.width = at.width / ratio + 'px';
        element.style.height = at.height / ratio + 'px';
      }
      // Below the screen's own size there is no multiple to be sharp at: a smooth fit.
      const sharpCopy = !at.whole && at.width > WIDTH;
      canvas.classList.toggle('sharp', at.whole);
      canvas.classList.toggle('unseen', sharpCopy);
      larger.hidden = !sharpCopy;
      const wanted = sharpCopy ? at.multiple : 0;
      if (wanted === multiple) return;
      multiple = wanted;
      larger.width = sharpCopy ? WIDTH * multiple : 0;
      larger.height = sharpCopy ? HEIGHT * multiple : 0;
      context.imageSmoothingEnabled = false;
      copy(0, 0, WIDTH, HEIGHT);
    }

    return { fit, copy };
  }

  return { place, create };
}());
