/* Tandeo greeting audio: plays greeting.mp3 (upload it beside the page) with the browser's own
   audio player. With autostart on it tries to start by itself; browsers that only allow sound
   after a click get the visible player instead, with a short hint. */
(function () {
  var autostart = "[AUTOPLAY]" === "1";

  function setup() {
    if (!document.body || document.getElementById("tdo-greeting"))
      return;
    var box = document.createElement("div");
    box.className = "tdo-audio";
    var audio = document.createElement("audio");
    audio.id = "tdo-greeting";
    audio.src = "greeting.mp3";
    audio.preload = "auto";
    audio.controls = true;
    box.appendChild(audio);

    var hint = document.createElement("p");
    hint.className = "tdo-audio-hint";
    hint.style.margin = "4px 0 0";
    hint.style.fontSize = "14px";
    hint.hidden = true;
    hint.appendChild(document.createTextNode("Press play to hear a short greeting."));
    box.appendChild(hint);

    // Without the sound file there is nothing to offer.
    audio.addEventListener("error", function () {
      box.hidden = true;
    });

    var place = document.getElementById("tdo-audio");
    if (place)
      place.appendChild(box);
    else
      document.body.insertBefore(box, document.body.firstChild);

    if (autostart) {
      var started;
      try {
        started = audio.play();
      } catch (e) {
        started = null;
      }
      if (started && typeof started.then === "function") {
        started.then(null, function () {
          hint.hidden = false;
        });
      } else if (audio.paused) {
        hint.hidden = false;
      }
    }
  }

  if (document.readyState === "loading")
    document.addEventListener("DOMContentLoaded", setup);
  else
    setup();
})();
